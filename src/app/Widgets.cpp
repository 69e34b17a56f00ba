#include "app/Widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

#include "app/Twips.h"

namespace {

QString fieldStyle(const QString& background) {
    QString style = QStringLiteral("QLineEdit { border: 1px solid #828790; padding: 0px;");
    if (!background.isEmpty()) style += QStringLiteral(" background: %1;").arg(background);
    return style + QStringLiteral(" }");
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

QLabel* makeLabel(QWidget* parent, const QString& text, int left, int top, int width, int height,
                  bool bold, double pointSize) {
    auto* label = new QLabel(text, parent);
    label->setFont(uiFont(pointSize, bold));
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

QLineEdit* makeField(QWidget* parent, const QString& name, int left, int top, int width, int height) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    // Digits of NanumBarunGothic are narrower than NanumGothic's, and its
    // period does not look like a comma.
    QFont font = uiFont(9, false);
    QStringList families = font.families();
    families.prepend(QStringLiteral("NanumBarunGothic"));
    font.setFamilies(families);
    field->setFont(font);
    field->setGeometry(twipsRect(left, top, width, height));
    // The layouts give narrow boxes: a thin frame and no inner padding leave
    // the room to the digits, and a value written by the program is shown
    // from its first character.
    field->setStyleSheet(fieldStyle(QString()));
    field->setTextMargins(-1, 0, -1, 0);
    QObject::connect(field, &QLineEdit::textChanged, field, [field]() {
        if (!field->hasFocus()) field->setCursorPosition(0);
    });
    return field;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                        int width, int height) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFont(uiFont(9, true));
    button->setGeometry(twipsRect(left, top, width, height));
    button->setAutoDefault(false);
    return button;
}

void setGreyBackground(QLineEdit* field) {
    field->setStyleSheet(fieldStyle(QStringLiteral("rgb(224, 224, 224)")));
}

void setReadOnlyWhite(QLineEdit* field) {
    field->setReadOnly(true);
    field->setStyleSheet(fieldStyle(QStringLiteral("white")));
}
