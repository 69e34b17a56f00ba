#include "heat/ReferenceTables.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "kit/Widgets.h"

namespace {

constexpr qreal kMargin = 18;   // between the picture's edge and its content
constexpr qreal kBlockGap = 8;  // between a title, a paragraph and a grid
constexpr qreal kCellPadX = 4;
constexpr qreal kCellPadY = 2;
const QColor kHeadBackground(222, 226, 232);
const QColor kGroupBackground(242, 243, 245);
const QColor kPictureBorder(170, 170, 170);

QString cellText(const QString& raw) {
    QString text = raw.trimmed();
    text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    return text;
}

QStringList splitCells(const QString& rest) {
    QStringList cells = rest.split(QLatin1Char('|'));
    for (QString& c : cells) c = cellText(c);
    return cells;
}

// NanumBarunGothic first: at these sizes NanumGothic's full stop looks like
// a comma, and the tables are full of decimal numbers.
QFont tableFont(int pixels, bool bold) {
    QFont font = uiFont(9, bold);
    QStringList families = font.families();
    families.prepend(QStringLiteral("NanumBarunGothic"));
    font.setFamilies(families);
    font.setPixelSize(std::max(pixels, 6));
    return font;
}

// A rectangle of grid cells that shows one text.
struct Span {
    int r0, c0, r1, c1;
    QString text;
    ReferenceRow::Kind kind;
};

struct GridLayout {
    QList<qreal> columnX;  // left edge of every column, and the right edge last
    QList<qreal> rowY;     // top of every row, and the bottom last
    QList<Span> spans;
};

int textFlags(const Span& span, const ReferenceBlock& grid) {
    switch (span.kind) {
        case ReferenceRow::Kind::Head:
            return Qt::AlignCenter | Qt::TextWordWrap;
        case ReferenceRow::Kind::Group:
            return Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap;
        case ReferenceRow::Kind::Body:
            break;
    }
    return static_cast<int>(grid.columns[span.c0].alignment) | Qt::AlignVCenter | Qt::TextWordWrap;
}

QFont spanFont(const Span& span, int pixels) {
    return tableFont(pixels, span.kind != ReferenceRow::Kind::Body);
}

QList<Span> gridSpans(const ReferenceBlock& grid, int tableNumber, QStringList& problems) {
    const int columns = static_cast<int>(grid.columns.size());
    QList<Span> spans;
    QList<QList<int>> owner;
    for (int r = 0; r < grid.rows.size(); ++r) {
        const ReferenceRow& row = grid.rows[r];
        owner.append(QList<int>(columns, -1));
        if (row.kind == ReferenceRow::Kind::Group) {
            spans.append({r, 0, r, columns - 1, row.cells.value(0), row.kind});
            owner[r].fill(static_cast<int>(spans.size()) - 1);
            continue;
        }
        if (row.cells.size() > columns) {
            problems << QStringLiteral("table %1: a row has %2 cells for %3 columns")
                            .arg(tableNumber)
                            .arg(row.cells.size())
                            .arg(columns);
        }
        for (int c = 0; c < columns; ++c) {
            const QString text = row.cells.value(c);
            if (text == QLatin1String("<") && c > 0) {
                const int id = owner[r][c - 1];
                spans[id].c1 = std::max(spans[id].c1, c);
                owner[r][c] = id;
            } else if (text == QLatin1String("^") && r > 0) {
                const int id = owner[r - 1][c];
                spans[id].r1 = std::max(spans[id].r1, r);
                owner[r][c] = id;
            } else {
                spans.append({r, c, r, c, text, row.kind});
                owner[r][c] = static_cast<int>(spans.size()) - 1;
            }
        }
    }
    return spans;
}

// The height a text needs in a cell of `width`, and whether a word is wider
// than the cell.
qreal textHeight(const QString& text, const QFont& font, int flags, qreal width, bool* tooWide) {
    const QFontMetricsF metrics(font);
    const QRectF box = metrics.boundingRect(QRectF(0, 0, width, 100000), flags,
                                            text.isEmpty() ? QStringLiteral(" ") : text);
    if (tooWide) *tooWide = box.width() > width + 0.5;
    return box.height();
}

GridLayout layoutGrid(const ReferenceBlock& grid, int pixels, qreal left, qreal width, qreal top,
                      int tableNumber, QStringList& problems) {
    GridLayout layout;
    int weights = 0;
    for (const ReferenceColumn& c : grid.columns) weights += std::max(c.weight, 1);
    int running = 0;
    layout.columnX.append(std::round(left));
    for (const ReferenceColumn& c : grid.columns) {
        running += std::max(c.weight, 1);
        layout.columnX.append(std::round(left + width * running / weights));
    }

    layout.spans = gridSpans(grid, tableNumber, problems);
    const qreal lineHeight = QFontMetricsF(tableFont(pixels, false)).height();
    QList<qreal> heights(grid.rows.size(), lineHeight + 2 * kCellPadY);
    auto needed = [&](const Span& s) {
        const qreal w = layout.columnX[s.c1 + 1] - layout.columnX[s.c0] - 2 * kCellPadX;
        bool tooWide = false;
        const qreal h = textHeight(s.text, spanFont(s, pixels), textFlags(s, grid), w, &tooWide);
        if (tooWide) {
            problems << QStringLiteral("table %1: \"%2\" is wider than its cell")
                            .arg(tableNumber)
                            .arg(s.text);
        }
        return std::ceil(h + 2 * kCellPadY);
    };
    for (const Span& s : layout.spans) {
        if (s.r0 == s.r1) heights[s.r0] = std::max(heights[s.r0], needed(s));
    }
    for (const Span& s : layout.spans) {
        if (s.r0 == s.r1) continue;
        qreal have = 0;
        for (int r = s.r0; r <= s.r1; ++r) have += heights[r];
        const qreal need = needed(s);
        if (need > have) heights[s.r1] += need - have;
    }
    qreal y = std::round(top);
    for (qreal h : heights) {
        layout.rowY.append(y);
        y += h;
    }
    layout.rowY.append(y);
    return layout;
}

QRectF spanRect(const GridLayout& layout, const Span& s) {
    return QRectF(QPointF(layout.columnX[s.c0], layout.rowY[s.r0]),
                  QPointF(layout.columnX[s.c1 + 1], layout.rowY[s.r1 + 1]));
}

void drawGrid(QPainter& painter, const ReferenceBlock& grid, const GridLayout& layout, int pixels) {
    for (const Span& s : layout.spans) {
        const QRectF box = spanRect(layout, s);
        if (s.kind == ReferenceRow::Kind::Head) painter.fillRect(box, kHeadBackground);
        if (s.kind == ReferenceRow::Kind::Group) painter.fillRect(box, kGroupBackground);
        painter.setFont(spanFont(s, pixels));
        painter.setPen(Qt::black);
        painter.drawText(box.adjusted(kCellPadX, kCellPadY, -kCellPadX, -kCellPadY),
                         textFlags(s, grid), s.text);
    }
    painter.setPen(QPen(Qt::black, 1));
    for (const Span& s : layout.spans) painter.drawRect(spanRect(layout, s));
    painter.setPen(QPen(Qt::black, 2));
    painter.drawRect(QRectF(QPointF(layout.columnX.first(), layout.rowY.first()),
                            QPointF(layout.columnX.last(), layout.rowY.last())));
}

}  // namespace

const ReferenceTable* ReferenceTableSet::table(int number) const {
    for (const ReferenceTable& t : tables) {
        if (t.number == number) return &t;
    }
    return nullptr;
}

ReferenceTableSet parseReferenceTables(const QString& text) {
    ReferenceTableSet set;
    const QStringList lines = text.split(QLatin1Char('\n'));
    // Compiled once: a pattern built for every line made reading the tables
    // a noticeable part of opening the window.
    static const QRegularExpression columnPattern(QStringLiteral("^(\\d+)([LCR]?)$"));
    static const QRegularExpression blankPattern(QStringLiteral("\\s"));
    static const QRegularExpression blanksPattern(QStringLiteral("\\s+"));
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const qsizetype blank = line.indexOf(blankPattern);
        const QString word = blank < 0 ? line : line.left(blank);
        const QString rest = blank < 0 ? QString() : line.mid(blank + 1).trimmed();
        auto problem = [&](const QString& what) {
            set.problems << QStringLiteral("line %1: %2").arg(n + 1).arg(what);
        };

        if (word == QLatin1String("table")) {
            bool ok = false;
            const int number = rest.toInt(&ok);
            if (!ok || number < 1) {
                problem(QStringLiteral("table needs a number"));
                continue;
            }
            if (set.table(number)) problem(QStringLiteral("table %1 given twice").arg(number));
            set.tables.append(ReferenceTable{number, 11, {}});
            continue;
        }
        if (set.tables.isEmpty()) {
            problem(QStringLiteral("\"%1\" before the first table").arg(word));
            continue;
        }
        ReferenceTable& table = set.tables.last();
        QList<ReferenceBlock>& blocks = table.blocks;
        const bool inGrid = !blocks.isEmpty() && blocks.last().kind == ReferenceBlock::Kind::Grid;

        if (word == QLatin1String("font")) {
            bool ok = false;
            const int pixels = rest.toInt(&ok);
            if (ok && pixels >= 6 && pixels <= 40) {
                table.fontPixels = pixels;
            } else {
                problem(QStringLiteral("font needs a size in pixels from 6 to 40"));
            }
        } else if (word == QLatin1String("title") || word == QLatin1String("text")) {
            ReferenceBlock block;
            block.kind = word == QLatin1String("title") ? ReferenceBlock::Kind::Title
                                                        : ReferenceBlock::Kind::Text;
            block.text = cellText(rest);
            blocks.append(block);
        } else if (word == QLatin1String("grid")) {
            ReferenceBlock block;
            block.kind = ReferenceBlock::Kind::Grid;
            for (const QString& item : rest.split(blanksPattern, Qt::SkipEmptyParts)) {
                const QRegularExpressionMatch m = columnPattern.match(item.toUpper());
                if (!m.hasMatch() || m.captured(1).toInt() < 1) {
                    problem(QStringLiteral("grid column \"%1\" is not a width with L, C or R")
                                .arg(item));
                    continue;
                }
                ReferenceColumn column;
                column.weight = m.captured(1).toInt();
                const QString a = m.captured(2);
                column.alignment = a == QLatin1String("C")   ? Qt::AlignHCenter
                                   : a == QLatin1String("R") ? Qt::AlignRight
                                                             : Qt::AlignLeft;
                block.columns.append(column);
            }
            if (block.columns.isEmpty()) {
                problem(QStringLiteral("grid without columns"));
                continue;
            }
            blocks.append(block);
        } else if (word == QLatin1String("head") || word == QLatin1String("row") ||
                   word == QLatin1String("group")) {
            if (!inGrid) {
                problem(QStringLiteral("\"%1\" outside a grid").arg(word));
                continue;
            }
            ReferenceRow row;
            if (word == QLatin1String("group")) {
                row.kind = ReferenceRow::Kind::Group;
                row.cells = QStringList{cellText(rest)};
            } else {
                row.kind = word == QLatin1String("head") ? ReferenceRow::Kind::Head
                                                         : ReferenceRow::Kind::Body;
                row.cells = splitCells(rest);
                if (row.cells.size() > blocks.last().columns.size()) {
                    problem(QStringLiteral("%1 cells for %2 columns")
                                .arg(row.cells.size())
                                .arg(blocks.last().columns.size()));
                }
                if (row.cells.value(0) == QLatin1String("<"))
                    problem(QStringLiteral("\"<\" in the first column"));
                if (row.cells.contains(QStringLiteral("^")) && blocks.last().rows.isEmpty()) {
                    problem(QStringLiteral("\"^\" in the first row of a grid"));
                }
            }
            blocks.last().rows.append(row);
        } else {
            problem(QStringLiteral("unknown directive \"%1\"").arg(word));
        }
    }
    return set;
}

ReferenceTableSet loadReferenceTables() {
    QFile file(QStringLiteral(":/heat/reference-tables.txt"));
    if (!file.open(QIODevice::ReadOnly)) {
        ReferenceTableSet set;
        set.problems << QStringLiteral("the built-in reference tables are missing");
        return set;
    }
    return parseReferenceTables(QString::fromUtf8(file.readAll()));
}

ReferencePicture drawReferenceTable(const ReferenceTable& table, QSize size,
                                    qreal devicePixelRatio) {
    ReferencePicture picture;
    const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    picture.image = QImage(size * dpr, QImage::Format_RGB32);
    picture.image.setDevicePixelRatio(dpr);
    picture.image.fill(Qt::white);

    QPainter painter(&picture.image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const qreal left = kMargin;
    const qreal width = size.width() - 2 * kMargin;
    qreal y = kMargin;
    const int pixels = table.fontPixels;

    for (const ReferenceBlock& block : table.blocks) {
        if (block.kind == ReferenceBlock::Kind::Grid) {
            if (block.rows.isEmpty()) continue;
            const GridLayout layout =
                layoutGrid(block, pixels, left, width, y, table.number, picture.problems);
            drawGrid(painter, block, layout, pixels);
            y = layout.rowY.last() + kBlockGap;
            continue;
        }
        const bool title = block.kind == ReferenceBlock::Kind::Title;
        const QFont font = title ? tableFont(pixels + 4, true) : tableFont(pixels, false);
        const int flags =
            (title ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop | Qt::TextWordWrap;
        bool tooWide = false;
        const qreal h = std::ceil(textHeight(block.text, font, flags, width, &tooWide));
        if (tooWide) {
            picture.problems << QStringLiteral("table %1: \"%2\" is wider than the picture")
                                    .arg(table.number)
                                    .arg(block.text);
        }
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(left, y, width, h), flags, block.text);
        y += h + (title ? kBlockGap + 2 : kBlockGap);
    }
    y -= kBlockGap;
    if (y > size.height() - kMargin / 2) {
        picture.problems << QStringLiteral(
                                "table %1: the content is %2 px too tall for the picture")
                                .arg(table.number)
                                .arg(std::ceil(y - (size.height() - kMargin / 2)));
    }

    painter.setPen(QPen(kPictureBorder, 1));
    painter.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
    return picture;
}

ReferencePicture drawReferencePicture(const ReferenceTableSet& set, int number, QSize size,
                                      qreal devicePixelRatio) {
    if (const ReferenceTable* table = set.table(number))
        return drawReferenceTable(*table, size, devicePixelRatio);
    ReferenceTable missing;
    missing.number = number;
    ReferenceBlock title;
    title.kind = ReferenceBlock::Kind::Title;
    title.text = QStringLiteral("Table %1").arg(number);
    ReferenceBlock text;
    text.kind = ReferenceBlock::Kind::Text;
    text.text = QStringLiteral("This table is missing from the program's reference data.");
    missing.blocks = {title, text};
    ReferencePicture picture = drawReferenceTable(missing, size, devicePixelRatio);
    picture.problems << QStringLiteral("table %1 is missing").arg(number);
    return picture;
}
