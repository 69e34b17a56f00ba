#include "report/ReportPdf.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QHash>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QStaticText>
#include <QTextOption>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "kit/AppInfo.h"
#include "kit/FileAccess.h"
#include "report/DesignReport.h"
#include "report/PaperFont.h"
#include "report/PdfJoin.h"
#include "report/ProjectReport.h"
#include "rise/RiseProfile.h"

namespace {

// Page units are 1/96 inch, the windows' pixels: a chart line of one pixel
// is as wide on paper as on a 96 dpi screen, and the windows' fonts keep
// their sizes. The coordinates themselves are not rounded to the unit.
constexpr int kResolution = 96;

const QString kTitle = QStringLiteral("제어반 열 설계 보고서");

const QColor kRule(160, 160, 160);
const QColor kRowLine(215, 215, 215);
const QColor kShade(242, 242, 242);
const QColor kMuted(90, 90, 90);

// The pages as a flow of blocks from top to bottom. Run once to count the
// pages (nothing drawn), then again to draw them with "n / N" below each.
class PageFlow {
public:
    // `firstPage`: the number of the flow's first page, for a part of a
    // document drawn on its own (see projectReportPdf).
    PageFlow(QPdfWriter& writer, QPainter* painter, int pageCount, int firstPage = 1)
        : m_writer(writer), m_painter(painter), m_pageCount(pageCount), m_page(firstPage) {
        m_width = writer.width();
        m_height = writer.height();
        m_body = paperFont(9, false);
        m_bold = paperFont(9, true);
        m_small = paperFont(7.5, false);
        m_headingFont = paperFont(12, true);
        m_title = paperFont(18, true);
    }

    // The number of the page the flow is on: after the last block, the
    // pages so far when it began at 1.
    int pages() const { return m_page; }
    double width() const { return m_width; }
    const QFont& body() const { return m_body; }
    const QFont& bold() const { return m_bold; }
    const QFont& small() const { return m_small; }

    double textHeight(const QFont& font, double width, const QString& text) const {
        // The same texts come back on every page and in both passes: each
        // is laid out once for its font and width.
        const int id = &font == &m_body          ? 0
                       : &font == &m_bold        ? 1
                       : &font == &m_small       ? 2
                       : &font == &m_headingFont ? 3
                       : &font == &m_title       ? 4
                                                 : -1;
        QString key;
        if (m_heights && id >= 0) {
            key = QString::number(id) + QLatin1Char('|') + QString::number(width, 'g', 10) +
                  QLatin1Char('|') + text;
            const auto it = m_heights->constFind(key);
            if (it != m_heights->constEnd()) return *it;
        }
        const QFontMetricsF fm(font, &m_writer);
        const double h = fm.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text).height();
        if (m_heights && id >= 0) m_heights->insert(key, h);
        return h;
    }
    // Heights kept across the passes of one document.
    void shareHeights(QHash<QString, double>* heights) { m_heights = heights; }

    // Room for `height` more on this page, or a new page (true).
    bool ensure(double height) {
        if (m_y + height > bottom() && m_y > 0) {
            newPage();
            return true;
        }
        return false;
    }
    // The same inside a table: on a new page its heading comes again.
    void ensureInTable(double height) {
        if (!ensure(height)) return;
        if (m_heading.isEmpty()) return;
        const QString text = m_heading + QStringLiteral(" (계속)");
        const double h = textHeight(m_bold, m_width, text);
        drawText(m_bold, QRectF(0, m_y, m_width, h), Qt::AlignLeft, text, kMuted);
        m_y += h + 4;
    }
    // The same for a block that a fresh page could hold whole; a taller one
    // begins where it is.
    void keepTogether(double height) {
        if (height <= bottom()) ensure(height);
    }
    // The next block begins a page of its own.
    void pageBreak() {
        if (m_y > 0) newPage();
    }
    void space(double height) { m_y = std::min(m_y + height, bottom()); }
    double y() const { return m_y; }
    double room() const { return bottom() - m_y; }

    void title(const QString& text) {
        const double h = textHeight(m_title, m_width, text);
        drawText(m_title, QRectF(0, m_y, m_width, h), Qt::AlignLeft, text, Qt::black);
        m_y += h + 6;
    }

    void heading(const QString& text) {
        const double h = textHeight(m_headingFont, m_width, text);
        ensure(h + 40);  // a heading never stands alone at the foot of a page
        m_y += 10;
        m_heading = text;
        drawText(m_headingFont, QRectF(0, m_y, m_width, h), Qt::AlignLeft, text, Qt::black);
        m_y += h + 2;
        rule(kRule);
        m_y += 4;
    }

    void subheading(const QString& text) {
        const double h = textHeight(m_bold, m_width, text);
        ensure(h + 24);
        m_y += 4;
        m_heading = text;
        drawText(m_bold, QRectF(0, m_y, m_width, h), Qt::AlignLeft, text, Qt::black);
        m_y += h + 4;
    }

    void paragraph(const QString& text, const QFont& font, const QColor& color = Qt::black,
                   double indent = 0) {
        const double w = m_width - indent;
        const double h = textHeight(font, w, text);
        ensure(h);
        drawText(font, QRectF(indent, m_y, w, h), Qt::AlignLeft | Qt::TextWordWrap, text, color);
        m_y += h + 3;
    }

    void bullets(const QStringList& lines) {
        for (const QString& line : lines) {
            const double indent = 14;
            const double w = m_width - indent;
            const double h = textHeight(m_body, w, line);
            ensure(h);
            drawText(m_body, QRectF(0, m_y, indent, h), Qt::AlignLeft, QStringLiteral("•"),
                     Qt::black);
            drawText(m_body, QRectF(indent, m_y, w, h), Qt::AlignLeft | Qt::TextWordWrap, line,
                     Qt::black);
            m_y += h + 3;
        }
    }

    // Rows of label and value, the label on a light shade.
    void table(const ReportLines& lines, double labelShare = 0.42, double indent = 0) {
        const double w = m_width - indent;
        const double labelWidth = w * labelShare;
        const double pad = 5;
        for (const ReportLine& line : lines) {
            const double h = std::max(textHeight(m_body, labelWidth - 2 * pad, line.label),
                                      textHeight(m_bold, w - labelWidth - 2 * pad, line.value)) +
                             2 * pad - 2;
            ensureInTable(h);
            if (m_painter) {
                m_painter->fillRect(QRectF(indent, m_y, labelWidth, h), kShade);
                linePen(kRowLine);
                m_painter->drawLine(QLineF(indent, m_y + h, indent + w, m_y + h));
            }
            drawText(m_body, QRectF(indent + pad, m_y + pad - 1, labelWidth - 2 * pad, h),
                     Qt::AlignLeft | Qt::TextWordWrap, line.label, Qt::black);
            drawText(m_bold,
                     QRectF(indent + labelWidth + pad, m_y + pad - 1, w - labelWidth - 2 * pad, h),
                     Qt::AlignLeft | Qt::TextWordWrap, line.value, Qt::black);
            m_y += h;
        }
        m_y += 4;
    }

    // Label and value rows two to a line, left then right: for long lists of
    // short values.
    void pairs(const ReportLines& lines) {
        const double gap = 12;
        const double half = (m_width - gap) / 2;
        const double labelWidth = half * 0.5;
        const double pad = 5;
        for (qsizetype i = 0; i < lines.size(); i += 2) {
            double h = 0;
            for (qsizetype j = i; j < std::min(i + 2, lines.size()); ++j) {
                h = std::max({h, textHeight(m_body, labelWidth - 2 * pad, lines[j].label),
                              textHeight(m_bold, half - labelWidth - 2 * pad, lines[j].value)});
            }
            h += 2 * pad - 2;
            ensureInTable(h);
            for (qsizetype j = i; j < std::min(i + 2, lines.size()); ++j) {
                const double x = j == i ? 0 : half + gap;
                if (m_painter) {
                    m_painter->fillRect(QRectF(x, m_y, labelWidth, h), kShade);
                    linePen(kRowLine);
                    m_painter->drawLine(QLineF(x, m_y + h, x + half, m_y + h));
                }
                drawText(m_body, QRectF(x + pad, m_y + pad - 1, labelWidth - 2 * pad, h),
                         Qt::AlignLeft | Qt::TextWordWrap, lines[j].label, Qt::black);
                drawText(
                    m_bold,
                    QRectF(x + labelWidth + pad, m_y + pad - 1, half - labelWidth - 2 * pad, h),
                    Qt::AlignLeft | Qt::TextWordWrap, lines[j].value, Qt::black);
            }
            m_y += h;
        }
        m_y += 4;
    }

    // A table of columns with a header row; numbers right-aligned.
    void grid(const QStringList& header, const QList<QStringList>& rows,
              const QList<double>& shares) {
        const double pad = 5;
        auto height = [&](const QStringList& cells, const QFont& font) {
            double h = 0;
            for (int i = 0; i < cells.size(); ++i)
                h = std::max(h, textHeight(font, m_width * shares[i] - 2 * pad, cells[i]));
            return h + 2 * pad - 2;
        };
        const double headerHeight = height(header, m_bold);
        std::function<void(const QStringList&, const QFont&, bool)> row =
            [&](const QStringList& cells, const QFont& font, bool shaded) {
                const double h = height(cells, font);
                // A row never stands under the foot of the page without its
                // header: a break repeats the heading and the header row.
                if (!shaded && m_y + h > bottom() && m_y > 0) {
                    ensureInTable(h + headerHeight);
                    row(header, m_bold, true);
                } else {
                    ensure(h);
                }
                if (m_painter) {
                    if (shaded) m_painter->fillRect(QRectF(0, m_y, m_width, h), kShade);
                    linePen(kRowLine);
                    m_painter->drawLine(QLineF(0, m_y + h, m_width, m_y + h));
                }
                double x = 0;
                for (int i = 0; i < cells.size(); ++i) {
                    const double cw = m_width * shares[i];
                    const int align = i == 0 ? Qt::AlignLeft : Qt::AlignRight;
                    drawText(font, QRectF(x + pad, m_y + pad - 1, cw - 2 * pad, h),
                             align | Qt::TextWordWrap, cells[i], Qt::black);
                    x += cw;
                }
                m_y += h;
            };
        ensure(headerHeight + (rows.isEmpty() ? 0 : height(rows.first(), m_body)));
        row(header, m_bold, true);
        for (const QStringList& cells : rows) row(cells, m_body, false);
        m_y += 4;
    }

    // A block of `height` drawn by `draw` into its rectangle.
    template <class Draw>
    void block(double height, Draw draw) {
        ensure(height);
        m_lastBlock = QRectF(0, m_y, m_width, height);
        m_lastBlockPage = m_page;
        if (m_painter) draw(*m_painter, m_lastBlock);
        m_y += height;
    }
    // The last block's rectangle and page.
    QRectF lastBlock() const { return m_lastBlock; }
    int lastBlockPage() const { return m_lastBlockPage; }

    void rule(const QColor& color) {
        if (m_painter) {
            linePen(color);
            m_painter->drawLine(QLineF(0, m_y, m_width, m_y));
        }
        m_y += 1;
    }

    // Footnotes at the foot of this page; the space they take is kept free.
    void footnotes(const QStringList& notes) {
        double total = 0;
        QList<double> heights;
        for (const QString& note : notes) {
            heights << textHeight(m_small, m_width - 12, note);
            total += heights.last() + 2;
        }
        if (total == 0) return;
        m_footnoteHeight = total + 8;
        double y = footerTop() - m_footnoteHeight + 6;
        if (m_painter) {
            linePen(kRule);
            m_painter->drawLine(QLineF(0, y - 4, m_width * 0.3, y - 4));
        }
        for (int i = 0; i < notes.size(); ++i) {
            drawText(m_small, QRectF(0, y, 12, heights[i]), Qt::AlignLeft, QStringLiteral("*"),
                     kMuted);
            drawText(m_small, QRectF(12, y, m_width - 12, heights[i]),
                     Qt::AlignLeft | Qt::TextWordWrap, notes[i], kMuted);
            y += heights[i] + 2;
        }
    }

    void finish() { footer(); }

private:
    double footerHeight() const { return textHeight(m_small, m_width, QStringLiteral("0")) + 6; }
    double footerTop() const { return m_height - footerHeight(); }
    double bottom() const { return footerTop() - m_footnoteHeight - 6; }

    void newPage() {
        footer();
        if (m_painter) m_writer.newPage();
        ++m_page;
        m_y = 0;
        m_footnoteHeight = 0;
    }

    void footer() {
        if (!m_painter) return;
        const double top = footerTop();
        linePen(kRule);
        m_painter->drawLine(QLineF(0, top, m_width, top));
        const QRectF box(0, top + 3, m_width, footerHeight());
        drawText(m_small, box, Qt::AlignLeft, kTitle, kMuted);
        drawText(m_small, box, Qt::AlignRight,
                 QStringLiteral("%1 / %2").arg(m_page).arg(std::max(m_pageCount, m_page)), kMuted);
    }

    void linePen(const QColor& color) {
        QPen pen(color);
        pen.setCosmetic(true);
        m_painter->setPen(pen);
    }

    void drawText(const QFont& font, const QRectF& rect, int flags, const QString& text,
                  const QColor& color) {
        if (!m_painter || text.isEmpty()) return;
        m_painter->setFont(font);
        m_painter->setPen(color);
        // Texts that come back on every cabinet's pages (captions, the
        // methods and constants) are shaped once: a static text keeps its
        // glyphs. Only the plain top-aligned cases; others as they come.
        const int horizontal = flags & Qt::AlignHorizontal_Mask;
        const bool wrap = flags & Qt::TextWordWrap;
        const bool plain =
            (flags & ~(Qt::AlignHorizontal_Mask | Qt::TextWordWrap | Qt::AlignTop)) == 0 &&
            !text.contains(QLatin1Char('\n'));
        if (!m_staticTexts || !plain) {
            m_painter->drawText(rect, flags, text);
            return;
        }
        const QString key = QString::number(&font == &m_body          ? 0
                                            : &font == &m_bold        ? 1
                                            : &font == &m_small       ? 2
                                            : &font == &m_headingFont ? 3
                                            : &font == &m_title       ? 4
                                                                      : 5) +
                            QLatin1Char('|') + QString::number(flags) + QLatin1Char('|') +
                            (wrap ? QString::number(rect.width(), 'g', 10) : QString()) +
                            QLatin1Char('|') + text;
        auto it = m_staticTexts->find(key);
        if (it == m_staticTexts->end()) {
            QStaticText st(text);
            st.setTextFormat(Qt::PlainText);
            st.setPerformanceHint(QStaticText::AggressiveCaching);
            if (wrap) {
                st.setTextWidth(rect.width());
                QTextOption option(Qt::Alignment(horizontal ? horizontal : Qt::AlignLeft));
                option.setWrapMode(QTextOption::WordWrap);
                st.setTextOption(option);
            }
            st.prepare(m_painter->transform(), font);
            it = m_staticTexts->insert(key, st);
        }
        QPointF at = rect.topLeft();
        if (!wrap && horizontal == Qt::AlignRight)
            at.setX(rect.right() - it->size().width());
        else if (!wrap && horizontal == Qt::AlignHCenter)
            at.setX(rect.center().x() - it->size().width() / 2);
        m_painter->drawStaticText(at, *it);
    }

public:
    // Static texts kept across the pages of one document.
    void shareStaticTexts(QHash<QString, QStaticText>* texts) { m_staticTexts = texts; }

private:
    QHash<QString, QStaticText>* m_staticTexts = nullptr;

    QPdfWriter& m_writer;
    QHash<QString, double>* m_heights = nullptr;
    QPainter* m_painter;
    int m_pageCount;
    double m_width = 0;
    double m_height = 0;
    double m_y = 0;
    double m_footnoteHeight = 0;
    int m_page;
    QFont m_body, m_bold, m_small, m_headingFont, m_title;
    QRectF m_lastBlock;
    int m_lastBlockPage = 0;
    QString m_heading;  // the heading the page flow is under, for a table that breaks
};

// Where layOut put the chart's drawing.
struct ChartBlock {
    int page = 0;
    QRectF rect;  // the drawing, in page units from the corner of the printable area
};

// The temperature rise of IEC/TR 60890: inputs, factors, rises, the
// verdict, the drawing, the notes.
void layOutRise(PageFlow& flow, const RiseReportPart& rise, const QString& title) {
    flow.heading(title);
    flow.subheading(QStringLiteral("입력값"));
    flow.pairs(rise.inputs);
    flow.subheading(QStringLiteral("계수"));
    flow.pairs(rise.factors);
    flow.subheading(QStringLiteral("온도 상승과 공기 온도"));
    ReportLines heights;
    for (qsizetype i = 0; i < std::min(rise.rises.size(), rise.temperatures.size()); ++i)
        heights << rise.rises[i] << rise.temperatures[i];
    flow.pairs(heights);
    QString verdict = rise.verdict;
    if (!rise.margins.isEmpty())
        verdict += QStringLiteral(" (") + rise.margins.join(QStringLiteral(", ")) + u')';
    flow.table({{QStringLiteral("판정 (허용 온도 대비)"), verdict}});
    const double height = 230;
    flow.keepTogether(height + 8);
    flow.block(height + 8, [&](QPainter& p, const QRectF& box) {
        p.save();
        drawRiseProfile(p, QRectF(box.left(), box.top(), std::min(box.width(), 460.0), height),
                        rise.profile);
        p.restore();
    });
    flow.subheading(QStringLiteral("적용 범위"));
    if (rise.notes.isEmpty()) {
        flow.paragraph(QStringLiteral("IEC/TR 60890의 적용 범위 안에서 계산했습니다."),
                       flow.body());
    } else {
        flow.bullets(rise.notes);
    }
    if (!rise.scope.isEmpty()) flow.paragraph(rise.scope, flow.body());
}

// The device list: the losses, their sum, each device's margin.
void layOutDevices(PageFlow& flow, const DevicesReportPart& d, const QString& title) {
    flow.heading(title);
    flow.subheading(QStringLiteral("기기와 도체의 손실"));
    flow.grid(d.lossHeader, d.lossRows, d.lossShares);
    flow.pairs(d.sums);
    if (!d.leftOut.isEmpty()) {
        flow.subheading(QStringLiteral("입력 오류로 합계에서 제외한 줄"));
        flow.bullets(d.leftOut);
    }
    flow.subheading(QStringLiteral("설치 높이의 공기 온도와 허용 온도"));
    flow.paragraph(d.source, flow.body());
    if (!d.marginRows.isEmpty()) flow.grid(d.marginHeader, d.marginRows, d.marginShares);
    flow.table({{QStringLiteral("판정"), d.verdict}}, 0.2);
}

// 작성, 검토, 승인: each a box with a name and a date line to sign on;
// 작성 carries the project's author.
void layOutSignOff(PageFlow& flow, const QString& author) {
    const double height = 92;
    flow.keepTogether(height + 16);
    flow.space(12);
    flow.block(height, [&](QPainter& p, const QRectF& box) {
        const double gap = 12;
        const double w = (box.width() - 2 * gap) / 3;
        const QStringList roles{QStringLiteral("작성"), QStringLiteral("검토"),
                                QStringLiteral("승인")};
        for (int i = 0; i < roles.size(); ++i) {
            const QRectF cell(box.left() + i * (w + gap), box.top(), w, height - 2);
            QPen pen(kRule);
            pen.setCosmetic(true);
            p.setPen(pen);
            p.fillRect(QRectF(cell.left(), cell.top(), cell.width(), 20), kShade);
            p.drawRect(cell);
            p.setPen(Qt::black);
            p.setFont(flow.bold());
            p.drawText(QRectF(cell.left(), cell.top(), cell.width(), 20), Qt::AlignCenter,
                       roles[i]);
            p.setFont(flow.body());
            const double labelWidth = 34;
            auto line = [&](double y, const QString& label, const QString& text) {
                p.setPen(Qt::black);
                p.drawText(QRectF(cell.left() + 8, y - 16, labelWidth, 16),
                           Qt::AlignLeft | Qt::AlignBottom, label);
                if (!text.isEmpty()) {
                    p.drawText(QRectF(cell.left() + 8 + labelWidth, y - 16,
                                      cell.width() - labelWidth - 16, 16),
                               Qt::AlignLeft | Qt::AlignBottom, text);
                }
                p.setPen(pen);
                p.drawLine(QLineF(cell.left() + 8 + labelWidth, y, cell.right() - 8, y));
            };
            line(cell.top() + 48, QStringLiteral("성명"), i == 0 ? author : QString());
            line(cell.top() + 78, QStringLiteral("날짜"), QString());
        }
    });
}

void layOut(PageFlow& flow, const DesignReport& r, ChartBlock* chartBlock = nullptr,
            bool signOff = true) {
    flow.title(kTitle);
    ReportLines about{
        {QStringLiteral("작성 일시"), r.made.toString(QStringLiteral("yyyy-MM-dd HH:mm"))},
        {QStringLiteral("프로그램"), r.program}};
    if (!r.calculationFile.isEmpty())
        about << ReportLine{QStringLiteral("계산 파일"), r.calculationFile};
    about << ReportLine{QStringLiteral("선정 방식"), r.mode};
    flow.table(about, 0.2);
    // Which cabinet of whose project: the cabinet's data and the project's,
    // those given.
    if (!r.header.cabinet.isEmpty()) flow.pairs(r.header.cabinet);
    if (!r.header.project.isEmpty()) flow.pairs(r.header.project);

    int section = 0;
    auto number = [&section](const QString& title) {
        return QStringLiteral("%1. %2").arg(++section).arg(title);
    };

    // One answer first: the requirement and model of the method that governs.
    const ReportSummary& s = r.summary;
    flow.heading(number(QStringLiteral("선정 요약")));
    flow.table({{QStringLiteral("기준 방법"), s.method},
                {QStringLiteral("장치 종류"), s.device},
                {s.requirement, s.value},
                {QStringLiteral("추천 모델"), s.model},
                {QStringLiteral("추천 모델의 능력"), s.modelRating}});
    if (!s.libraryDevice.isEmpty()) flow.paragraph(s.libraryDevice, flow.body());
    flow.paragraph(s.why, flow.body());
    if (!s.remarks.isEmpty()) flow.bullets(s.remarks);
    if (!r.inputErrors.isEmpty()) {
        flow.subheading(QStringLiteral("입력 오류"));
        flow.bullets(r.inputErrors);
    }

    flow.heading(number(QStringLiteral("입력값")));
    flow.table(r.inputs);
    if (!r.heatRows.isEmpty()) {
        flow.subheading(QStringLiteral("종류별 발열량 창의 부품"));
        QList<QStringList> rows;
        for (const ReportHeatRow& h : r.heatRows)
            rows << QStringList{h.component, h.count, h.perUnit, h.subtotal};
        rows << QStringList{QStringLiteral("합계"), QString(), QString(), r.heatTotal};
        flow.grid({QStringLiteral("부품"), QStringLiteral("개수"), QStringLiteral("개당 발열량"),
                   QStringLiteral("소계")},
                  rows, {0.46, 0.14, 0.2, 0.2});
        if (!r.heatNote.isEmpty()) flow.paragraph(r.heatNote, flow.small(), kMuted);
    }

    if (r.inputErrors.isEmpty()) {
        flow.heading(number(QStringLiteral("기본 계산 결과 (주 화면)")) +
                     (r.recalculated ? QStringLiteral(" *") : QString()));
        flow.footnotes(r.footnotes);
        if (!r.results.isEmpty()) flow.table(r.results);
        flow.subheading(QStringLiteral("계산 소견"));
        if (r.messages.isEmpty()) {
            flow.paragraph(QStringLiteral("없음"), flow.body());
        } else {
            flow.bullets(r.messages);
        }
    }

    if (r.climate) {
        const ClimateReportPart& c = *r.climate;
        flow.heading(number(QStringLiteral("상세 기후 설계")));
        const double picture = 96;
        flow.block(picture + 8, [&](QPainter& p, const QRectF& box) {
            if (c.drawPictogram)
                c.drawPictogram(p, QRectF(box.topLeft(), QSizeF(picture, picture)));
            const QRectF text(box.left() + picture + 16, box.top() + 8, box.width() - picture - 16,
                              picture);
            p.setPen(Qt::black);
            p.setFont(flow.bold());
            p.drawText(text, Qt::AlignLeft | Qt::TextWordWrap,
                       QStringLiteral("설치 방식: ") + c.installation);
            p.setFont(flow.body());
            p.drawText(text.adjusted(0, 24, 0, 0), Qt::AlignLeft | Qt::TextWordWrap,
                       QStringLiteral("유효 방열 면적 (덮인 면은 회색): ") + c.formula);
        });
        flow.subheading(QStringLiteral("상세 설계 입력값"));
        flow.pairs(c.inputs);
        if (!c.inputErrors.isEmpty()) {
            flow.subheading(QStringLiteral("상세 설계 입력 오류"));
            flow.bullets(c.inputErrors);
        }
        if (!c.results.isEmpty()) {
            flow.subheading(QStringLiteral("상세 설계 결과"));
            flow.pairs(c.results);
            if (!c.findings.isEmpty()) flow.bullets(c.findings);
        }
    }

    if (r.rise) layOutRise(flow, *r.rise, number(QStringLiteral("온도 상승 검증 (IEC/TR 60890)")));
    if (r.devices)
        layOutDevices(flow, *r.devices, number(QStringLiteral("기기 발열 및 허용 온도")));

    if (r.chart) {
        const ReportChart& chart = *r.chart;
        const double readingsHeight = 22.0 * chart.readings().size();
        const QRectF natural =
            chart.hasDrawing() ? chart.drawnRect(QRectF(0, 0, flow.width(), chart.size().height()))
                               : QRectF();
        // The heading, the drawing and its readings on one page, the drawing
        // shrunk if no page holds them at their natural size.
        flow.keepTogether(80 + natural.height() + readingsHeight);
        flow.heading(number(QStringLiteral("차트 (도표 판독값, 참고)")));
        flow.paragraph(chart.title(), flow.bold());
        if (chart.hasDrawing()) {
            const double height =
                std::min(natural.height(), std::max(100.0, flow.room() - readingsHeight));
            flow.block(height + 8, [&](QPainter& p, const QRectF& box) {
                chart.draw(p, QRectF(box.left(), box.top(), box.width(), height));
            });
            if (chartBlock) {
                const QRectF box = flow.lastBlock();
                chartBlock->page = flow.lastBlockPage();
                chartBlock->rect =
                    chart.drawnRect(QRectF(box.left(), box.top(), box.width(), height));
            }
        }
        flow.table(chart.readings());
        if (!chart.notes().isEmpty()) flow.bullets(chart.notes());
    }

    flow.heading(number(QStringLiteral("가정과 방법")));
    flow.bullets(r.methods);
    if (signOff) layOutSignOff(flow, r.header.author);
}

const QMarginsF kMarginsMm(18, 15, 18, 12);

void setUpPages(QPdfWriter& writer) {
    writer.setResolution(kResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, kMarginsMm,
                                     QPageLayout::Millimeter));
}

// A PDF string of any text: UTF-16 with its byte order mark, in hex.
QByteArray pdfText(const QString& text) {
    QByteArray bytes("<FEFF");
    for (const QChar c : text) bytes += QByteArray::number(c.unicode(), 16).rightJustified(4, '0');
    return bytes + '>';
}

// Adds /Author, /Subject and /Keywords to the document information that
// QPdfWriter writes (it sets only the title and the creator), moving the
// cross-reference offsets of everything after them. The bytes come back
// unchanged when they are not laid out as expected.
QByteArray withDocumentInfo(QByteArray pdf, const QString& author, const QString& subject,
                            const QString& keywords) {
    const qsizetype producer = pdf.indexOf("/Producer");
    const qsizetype xref = pdf.lastIndexOf("\nxref\n");
    const qsizetype startXref = pdf.lastIndexOf("startxref\n");
    if (producer < 0 || xref < producer || startXref < xref) return pdf;
    const QByteArray info = "/Author " + pdfText(author) + "\n/Subject " + pdfText(subject) +
                            "\n/Keywords " + pdfText(keywords) + "\n";
    const qsizetype shift = info.size();

    // The table: "xref", "0 N", then N entries of 20 bytes.
    qsizetype pos = xref + 6;
    const qsizetype lineEnd = pdf.indexOf('\n', pos);
    const QList<QByteArray> range = pdf.mid(pos, lineEnd - pos).trimmed().split(' ');
    bool ok = range.size() == 2;
    const int count = ok ? range[1].toInt(&ok) : 0;
    if (!ok) return pdf;
    pos = lineEnd + 1;
    for (int i = 0; i < count; ++i, pos += 20) {
        if (pos + 20 > pdf.size() || pdf.at(pos + 17) != 'n') continue;
        const qint64 offset = pdf.mid(pos, 10).toLongLong(&ok);
        if (!ok) return pdf;
        if (offset > producer)
            pdf.replace(pos, 10, QByteArray::number(offset + shift).rightJustified(10, '0'));
    }
    const qsizetype numberAt = startXref + 10;
    const qsizetype numberEnd = pdf.indexOf('\n', numberAt);
    const qint64 xrefOffset = pdf.mid(numberAt, numberEnd - numberAt).trimmed().toLongLong(&ok);
    if (!ok) return pdf;
    pdf.replace(numberAt, numberEnd - numberAt, QByteArray::number(xrefOffset + shift));
    pdf.insert(producer, info);
    return pdf;
}

const QString kProjectTitle = QStringLiteral("프로젝트 열 설계 보고서");

// The cover: the project's data, one line per cabinet, the sign-off.
void layOutProjectCover(PageFlow& flow, const ProjectReport& r) {
    flow.title(kProjectTitle);
    flow.table({{QStringLiteral("작성 일시"), r.made.toString(QStringLiteral("yyyy-MM-dd HH:mm"))},
                {QStringLiteral("프로그램"), r.program},
                {QStringLiteral("제어반"),
                 QStringLiteral("%1종, 모두 %2대").arg(r.rows.size()).arg(r.units)}},
               0.2);
    if (!r.info.isEmpty()) flow.pairs(r.info);
    flow.heading(QStringLiteral("제어반 요약"));
    QList<QStringList> rows;
    for (const ProjectReportRow& row : r.rows)
        rows << QStringList{row.tag,   row.count,  row.requirement, row.device,
                            row.model, row.method, row.rise,        row.critical};
    flow.grid({QStringLiteral("제어반"), QStringLiteral("수량"), QStringLiteral("필요 능력"),
               QStringLiteral("장치"), QStringLiteral("추천 모델"), QStringLiteral("기준 방법"),
               QStringLiteral("온도 상승 검증"), QStringLiteral("임계 기기")},
              rows, {0.1, 0.06, 0.19, 0.1, 0.13, 0.1, 0.14, 0.18});
    flow.paragraph(QStringLiteral("필요 능력과 추천 모델은 한 대 기준입니다. 제어반마다의 "
                                  "입력값, 계산과 근거는 다음 쪽부터 이어집니다."),
                   flow.body(), kMuted);
    flow.heading(QStringLiteral("장비 목록"));
    if (r.bill.isEmpty()) {
        flow.paragraph(QStringLiteral("이 프로젝트에는 선정된 장비가 없습니다."), flow.body(),
                       kMuted);
    } else {
        QList<QStringList> bill;
        for (const ProjectBillRow& b : r.bill)
            bill << QStringList{b.kind, b.model, b.rating, b.cabinets, b.units};
        flow.grid({QStringLiteral("종류"), QStringLiteral("모델"), QStringLiteral("능력"),
                   QStringLiteral("제어반"), QStringLiteral("대수")},
                  bill, {0.16, 0.2, 0.16, 0.38, 0.1});
        flow.paragraph(QStringLiteral("대수는 프로젝트 전체의 것입니다: 제어반 한 대에 드는 "
                                      "대수에 그 제어반의 수량을 곱해 더했습니다."),
                       flow.body(), kMuted);
    }
    layOutSignOff(flow, r.author);
}

// Cabinets [from, to) of the project, each from a page of its own.
bool layOutProjectCabinets(PageFlow& flow, const ProjectReport& r, qsizetype from, qsizetype to,
                           const std::function<bool()>& step) {
    for (qsizetype i = from; i < to; ++i) {
        // Between two cabinets the caller may let the interface answer, or
        // stop.
        if (step && !step()) return false;
        flow.pageBreak();
        layOut(flow, r.cabinets[i], nullptr, false);
    }
    return true;
}

using LayOutPages = std::function<bool(PageFlow&)>;

// The pages `layOutPages` fills, counted without drawing; none when it
// stopped. `heights` keeps the texts' heights for the drawing.
std::optional<int> countPages(const LayOutPages& layOutPages, QHash<QString, double>* heights) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    setUpPages(writer);
    PageFlow counting(writer, nullptr, 0);
    counting.shareHeights(heights);
    if (!layOutPages(counting)) return std::nullopt;
    counting.finish();
    return counting.pages();
}

// The pages drawn into a PDF of their own, numbered from `firstPage` of
// `pageCount`; empty when the layout stopped or the PDF could not be made.
QByteArray drawPages(const QString& title, const QString& creator, const LayOutPages& layOutPages,
                     QHash<QString, double>* heights, int firstPage, int pageCount) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        setUpPages(writer);
        writer.setTitle(title);
        writer.setCreator(creator);
        QPainter painter;
        if (!painter.begin(&writer)) return {};
        PageFlow drawing(writer, &painter, pageCount, firstPage);
        drawing.shareHeights(heights);
        QHash<QString, QStaticText> texts;
        drawing.shareStaticTexts(&texts);
        if (!layOutPages(drawing)) {
            painter.end();
            return {};
        }
        drawing.finish();
        if (!painter.end()) return {};
    }
    return buffer.data();
}

QByteArray pdfBytes(const QString& title, const QString& creator, const LayOutPages& layOutPages) {
    // First the page count, for "n / N" at the foot of every page.
    QHash<QString, double> heights;
    const std::optional<int> pages = countPages(layOutPages, &heights);
    if (!pages) return {};
    return drawPages(title, creator, layOutPages, &heights, 1, *pages);
}

bool writePdf(const QByteArray& pdf, const QString& path, QString* error) {
    if (pdf.isEmpty()) {
        if (error) *error = QStringLiteral("PDF를 만들 수 없습니다.");
        return false;
    }
    // Saved like every file of the program: a failure leaves a file of that
    // name as it was.
    errno = 0;
    if (!replaceFileContents(path, pdf)) {
        const int code = errno;
        if (error) {
            *error = code != 0 ? QString::fromLocal8Bit(std::strerror(code))
                               : QStringLiteral("파일을 쓸 수 없습니다.");
        }
        return false;
    }
    return true;
}

}  // namespace

QByteArray projectReportPdf(const ProjectReport& report, const std::function<bool()>& step,
                            int parts) {
    // Each cabinet begins a page of its own, so the document falls into
    // parts at cabinets that are laid out and drawn side by side, one
    // writer each, and joined: the cover with the first cabinets, then the
    // others. A part's pages do not depend on the pages before it.
    const qsizetype count = report.cabinets.size();
    if (parts <= 0) parts = count >= 16 ? std::max(1, QThread::idealThreadCount()) : 1;
    parts = static_cast<int>(std::clamp<qsizetype>(parts, 1, std::max<qsizetype>(count, 1)));
    QList<LayOutPages> layOuts;
    for (int k = 0; k < parts; ++k) {
        const qsizetype from = count * k / parts, to = count * (k + 1) / parts;
        layOuts << [&report, &step, k, from, to](PageFlow& flow) {
            if (k == 0) layOutProjectCover(flow, report);
            return layOutProjectCabinets(flow, report, from, to, step);
        };
    }
    // Runs `work(k)` for every part, the first on this thread.
    auto eachPart = [&](const std::function<void(int)>& work) {
        std::vector<std::unique_ptr<QThread>> threads;
        for (int k = 1; k < parts; ++k) {
            threads.emplace_back(QThread::create(work, k));
            threads.back()->start();
        }
        work(0);
        for (const auto& thread : threads) thread->wait();
    };
    std::vector<QHash<QString, double>> heights(parts);
    std::vector<std::optional<int>> pages(parts);
    eachPart([&](int k) { pages[k] = countPages(layOuts[k], &heights[k]); });
    int total = 0;
    std::vector<int> first(parts);
    for (int k = 0; k < parts; ++k) {
        if (!pages[k]) return {};
        first[k] = total + 1;
        total += *pages[k];
    }
    QList<QByteArray> documents(parts);
    eachPart([&](int k) {
        documents[k] =
            drawPages(kProjectTitle, report.program, layOuts[k], &heights[k], first[k], total);
    });
    for (const QByteArray& d : documents) {
        if (d.isEmpty()) return {};
    }
    const QByteArray pdf = joinPdfs(documents);
    // Parts that do not join (a writer laid out otherwise than expected):
    // the document in one piece.
    if (pdf.isEmpty()) return parts > 1 ? projectReportPdf(report, step, 1) : QByteArray();
    QStringList keywords{QStringLiteral("제어반"), QStringLiteral("열 설계"), report.name};
    for (const ProjectReportRow& row : report.rows) keywords << row.tag;
    return withDocumentInfo(pdf, applicationTitle(),
                            kProjectTitle + QStringLiteral(": ") + report.name,
                            keywords.join(QStringLiteral(", ")));
}

bool writePdfBytes(const QByteArray& pdf, const QString& path, QString* error) {
    return writePdf(pdf, path, error);
}

bool writeProjectReportPdf(const ProjectReport& report, const QString& path, QString* error,
                           const std::function<bool()>& step) {
    return writePdf(projectReportPdf(report, step), path, error);
}

QByteArray designReportPdf(const DesignReport& report) {
    const QByteArray pdf = pdfBytes(kTitle, report.program, [&](PageFlow& flow) {
        layOut(flow, report);
        return true;
    });
    if (pdf.isEmpty()) return {};
    QString subject = kTitle;
    QStringList keywords{QStringLiteral("제어반"), QStringLiteral("열 설계"), report.mode};
    if (report.summary.answered) {
        subject += QStringLiteral(": %1 %2, 추천 %3")
                       .arg(report.summary.requirement, report.summary.value, report.summary.model);
        keywords << report.summary.model;
    }
    return withDocumentInfo(pdf, applicationTitle(), subject, keywords.join(QStringLiteral(", ")));
}

std::optional<ReportChartPlace> designReportChartPlace(const DesignReport& report) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    setUpPages(writer);
    PageFlow counting(writer, nullptr, 0);
    ChartBlock block;
    layOut(counting, report, &block);
    if (block.page == 0) return std::nullopt;
    const double perMm = kResolution / 25.4;
    return ReportChartPlace{
        block.page, block.rect.translated(kMarginsMm.left() * perMm, kMarginsMm.top() * perMm)};
}

bool writeDesignReportPdf(const DesignReport& report, const QString& path, QString* error) {
    return writePdf(designReportPdf(report), path, error);
}
