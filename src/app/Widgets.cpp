#include "app/Widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

#include "app/Twips.h"

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
    field->setFont(uiFont(9, false));
    field->setGeometry(twipsRect(left, top, width, height));
    field->setTextMargins(0, 0, 0, 0);
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
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, QColor(224, 224, 224));
    field->setPalette(palette);
}

void setReadOnlyWhite(QLineEdit* field) {
    field->setReadOnly(true);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, Qt::white);
    field->setPalette(palette);
}
