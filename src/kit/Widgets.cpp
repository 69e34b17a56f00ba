#include "kit/Widgets.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPushButton>

#include "kit/FieldCues.h"
#include "kit/Twips.h"
#include "calc/NumberText.h"

namespace {

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
    // The box paints its background; the frame goes over its edge.
    void paintEvent(QPaintEvent* event) override {
        QLineEdit::paintEvent(event);
        QPainter painter(this);
        painter.setPen(QColor(0x82, 0x87, 0x90));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        if (isFieldReadPartly(this)) {
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

void setBase(QLineEdit* field, const QColor& color) {
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, color);
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
