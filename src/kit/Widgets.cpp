#include "kit/Widgets.h"

#include <QEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolTip>
#include <QVariant>
#include <algorithm>

#include "calc/NumberText.h"
#include "kit/FieldCues.h"
#include "kit/Twips.h"

namespace {

// QLineEdit keeps two pixels free on either side of its text.
constexpr int kLineEditMargin = 2;

// The box a line edit draws its text in: inside its frame and text margins.
QRect fieldTextBox(const QLineEdit* field) {
    QStyleOptionFrame option;
    option.initFrom(field);
    option.rect = field->rect();
    option.lineWidth = field->hasFrame() ? field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth,
                                                                       &option, field)
                                         : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    option.features = QStyleOptionFrame::None;
    const QRect box = field->style()->subElementRect(QStyle::SE_LineEditContents, &option, field);
    return box.marginsRemoved(field->textMargins());
}

// The width a text can take in the box. QLineEdit clips its text to the box
// only: a text may run into the margin on the right, up to the pixel before
// our frame, which a field drawn by the style leaves free as well.
int fieldTextWidth(const QLineEdit* field) {
    return fieldTextBox(field).width() - kLineEditMargin - 1;
}

// A text box with a thin one-pixel frame and no inner padding, so that the
// narrow boxes of the fixed layouts leave their room to the digits. Drawn
// here rather than by a style sheet: a sheet on each of a hundred fields
// makes a window slow to open.
class FieldEdit final : public QLineEdit {
public:
    explicit FieldEdit(QWidget* parent) : QLineEdit(parent) {
        setFrame(false);
        // The frame's pixel on each side; the box's own two-pixel margin
        // keeps the text off the frame at the sides.
        setTextMargins(0, 1, 0, 1);
        // A value written by the program is shown from its first character:
        // setText puts the cursor at the end, even when the text stays the
        // same, and a narrow box would then show only the end of a number.
        connect(this, &QLineEdit::cursorPositionChanged, this, [this](int, int now) {
            if (now != 0 && !hasFocus()) setCursorPosition(0);
        });
    }

protected:
    // A value too long for the box shows its start; the tip shows it whole,
    // as the field holds it at that moment, above any description the
    // field carries.
    bool event(QEvent* event) override {
        if (event->type() == QEvent::ToolTip) {
            const QString tip = fieldToolTip(this);
            if (tip != toolTip()) {
                QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tip, this);
                return true;
            }
        }
        return QLineEdit::event(event);
    }

    // The box paints its background; the frame goes over its edge.
    void paintEvent(QPaintEvent* event) override {
        QLineEdit::paintEvent(event);
        QPainter painter(this);
        // A text too long for the box ends in "…" where it is cut, not in
        // half a digit that reads as another character ("14.126(" for
        // 14.1260606060606). While the user edits, the box shows the text
        // as it is.
        if (!hasFocus()) {
            const QString shown = fieldShownText(this);
            if (shown != displayText()) {
                const QRect box = fieldTextBox(this);
                painter.fillRect(box, palette().brush(QPalette::Base));
                painter.setPen(palette().color(QPalette::Text));
                const int align = int(alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter;
                painter.drawText(box.adjusted(kLineEditMargin, 0, -1, 0),
                                 align | Qt::TextSingleLine, shown);
            }
        }
        painter.setPen(QColor(0x82, 0x87, 0x90));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        if (isFieldReadPartly(this) || isFieldInputError(this)) {
            // Two pixels wide, inside the box: seen at a glance, and it
            // leaves the digits their room.
            painter.setPen(warningFrameColor(palette()));
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
            painter.drawRect(rect().adjusted(1, 1, -2, -2));
        }
    }

    void changeEvent(QEvent* event) override {
        QLineEdit::changeEvent(event);
        if (event->type() == QEvent::PaletteChange) refreshFieldColors(this);
    }
};

// A background the field always has comes with the text colour that goes
// with it: under a dark colour scheme the scheme's light text would stand
// on a light box.
void setBase(QLineEdit* field, const QColor& color) {
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, color);
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::PlaceholderText, QColor(0x80, 0x80, 0x80));
    field->setPalette(palette);
}

}  // namespace

QFont uiFont(double pointSize, bool bold) {
    QFont font;
    font.setFamilies({QStringLiteral("NanumGothic"), QStringLiteral("NanumBarunGothic"),
                      QStringLiteral("Noto Sans CJK KR"), QStringLiteral("Malgun Gothic"),
                      QStringLiteral("Gulim"), QStringLiteral("sans-serif")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QFont uiNumberFont(double pointSize, bool bold) {
    QFont font = uiFont(pointSize, bold);
    QStringList families = font.families();
    families.prepend(QStringLiteral("NanumBarunGothic"));
    font.setFamilies(families);
    return font;
}

QLabel* makeLabel(QWidget* parent, const QString& text, int left, int top, int width, int height,
                  bool bold, double pointSize) {
    return makeLabel(parent, text, left, top, width, height, uiFont(pointSize, bold));
}

QLabel* makeLabel(QWidget* parent, const QString& text, int left, int top, int width, int height,
                  const QFont& font) {
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    label->setGeometry(twipsRect(left, top, width, height));
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel* makeLabelAt(QWidget* parent, const QString& text, int left, int top, bool bold,
                    double pointSize) {
    auto* label = new QLabel(text, parent);
    label->setFont(uiFont(pointSize, bold));
    label->setTextFormat(Qt::PlainText);
    label->adjustSize();
    label->move(twipsPoint(left, top));
    return label;
}

QLineEdit* makeField(QWidget* parent, const QString& name, int left, int top, int width,
                     int height) {
    auto* field = new FieldEdit(parent);
    field->setObjectName(name);
    field->setFont(uiNumberFont(9, false));
    field->setGeometry(twipsRect(left, top, width, height));
    return field;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, int left,
                        int top, int width, int height) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFont(uiFont(9, true));
    button->setGeometry(twipsRect(left, top, width, height));
    button->setAutoDefault(false);
    return button;
}

double fieldNumber(const QLineEdit* field) { return ParseNumber(field->text().toStdString()); }

QString numberText(double value) { return QString::fromStdString(NumberText(value)); }

void setGreyBackground(QLineEdit* field) { setBase(field, QColor(224, 224, 224)); }

void setReadOnlyWhite(QLineEdit* field) {
    field->setReadOnly(true);
    setBase(field, Qt::white);
}

bool fieldShowsWholeText(const QLineEdit* field) {
    return field->fontMetrics().horizontalAdvance(field->displayText()) <= fieldTextWidth(field);
}

QString fieldShownText(const QLineEdit* field) {
    if (fieldShowsWholeText(field)) return field->displayText();
    return field->fontMetrics().elidedText(field->displayText(), Qt::ElideRight,
                                           fieldTextWidth(field));
}

QString fieldToolTip(const QLineEdit* field) {
    if (fieldShowsWholeText(field)) return field->toolTip();
    if (field->toolTip().isEmpty()) return field->displayText();
    return field->displayText() + QLatin1Char('\n') + field->toolTip();
}

QColor linkTextColor(const QPalette& palette) {
    // Our dark blue on a light window; on a dark one a light blue reads.
    const QColor window = palette.color(QPalette::Window);
    return window.lightnessF() >= 0.5 ? QColor(0, 0, 192) : QColor(0x8c, 0xb4, 0xff);
}

void setChartSurface(QWidget* surface) {
    // The charts draw in fixed colours (black lines, a grey grid, red and
    // blue marks) that need a light ground whatever the colour scheme; the
    // labels on it get dark text to match.
    QPalette palette = surface->palette();
    palette.setColor(QPalette::Window, QColor(240, 240, 240));
    palette.setColor(QPalette::WindowText, Qt::black);
    surface->setPalette(palette);
    surface->setAutoFillBackground(true);
}

namespace {

// Where and in which font a label was laid out first, so that a later fit
// can go back to it when its text becomes short again.
const char* const kDesignPlace = "cabinetcoolDesignPlace";
const char* const kDesignFont = "cabinetcoolDesignFont";

constexpr double kSmallestUnitPointSize = 6.5;
// Free pixels at least between a label and its neighbours, so that no text
// touches a frame or another text.
constexpr int kMinimumGap = 1;

int totalWidth(const QList<QLabel*>& labels) {
    int width = 0;
    for (const QLabel* label : labels) width += label->sizeHint().width();
    return width;
}

}  // namespace

void fitLabelsBetween(QWidget* before, const QList<QLabel*>& labels, const QWidget* after,
                      int beforeMayGive) {
    if (labels.isEmpty()) return;
    if (!before->property(kDesignPlace).isValid())
        before->setProperty(kDesignPlace, before->geometry());
    const QRect beforeDesign = before->property(kDesignPlace).toRect();
    before->setGeometry(beforeDesign);
    int roomLeft = beforeDesign.left() + beforeDesign.width();
    const int roomRight =
        after ? after->geometry().left() : labels.first()->parentWidget()->width();
    for (QLabel* label : labels) {
        if (!label->property(kDesignPlace).isValid()) {
            label->setProperty(kDesignPlace, label->geometry());
            label->setProperty(kDesignFont, label->font());
        }
        label->setFont(label->property(kDesignFont).value<QFont>());
    }
    auto place = [](QLabel* label, int left) {
        const QRect design = label->property(kDesignPlace).toRect();
        const QSize size = label->sizeHint();
        // Centred on the design box's middle line, level with the field's text.
        label->setGeometry(left, design.top() + (design.height() - size.height()) / 2, size.width(),
                           size.height());
    };

    // At the design places, each moved right only as far as it must to keep
    // clear of what stands before it.
    QList<int> lefts;
    int end = roomLeft;
    for (const QLabel* label : labels) {
        const int left = std::max(label->property(kDesignPlace).toRect().left(), end + kMinimumGap);
        lefts.append(left);
        end = left + label->sizeHint().width();
    }
    if (end + kMinimumGap <= roomRight) {
        for (qsizetype i = 0; i < labels.size(); ++i) place(labels[i], lefts[i]);
        return;
    }

    // The control before gives up room on its right, as far as it may.
    const auto count = static_cast<int>(labels.size());
    const int needed = totalWidth(labels) + (count + 1) * kMinimumGap;
    const int give = std::clamp(needed - (roomRight - roomLeft), 0, beforeMayGive);
    if (give > 0) {
        before->resize(beforeDesign.width() - give, beforeDesign.height());
        roomLeft -= give;
    }

    // Spread over the room, in a lighter and then a smaller font where it
    // must be: plain letters take less room than bold ones and stay larger.
    const int room = roomRight - roomLeft;
    if (totalWidth(labels) + (count + 1) * kMinimumGap > room) {
        for (QLabel* label : labels) {
            QFont font = label->font();
            font.setBold(false);
            label->setFont(font);
        }
    }
    while (totalWidth(labels) + (count + 1) * kMinimumGap > room) {
        bool smaller = false;
        for (QLabel* label : labels) {
            QFont font = label->font();
            if (font.pointSizeF() - 0.25 < kSmallestUnitPointSize) continue;
            font.setPointSizeF(font.pointSizeF() - 0.25);
            label->setFont(font);
            smaller = true;
        }
        if (!smaller) break;
    }
    const int gap = std::max(0, (room - totalWidth(labels)) / (count + 1));
    int left = roomLeft + gap;
    for (QLabel* label : labels) {
        place(label, left);
        left += label->width() + gap;
    }
}
