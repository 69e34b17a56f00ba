#include "info/InfoWidgets.h"

#include <QLabel>
#include <QPalette>

#include "info/ClickableLabel.h"
#include "info/WebPages.h"
#include "kit/Twips.h"
#include "kit/Widgets.h"

QLabel* makePicture(QWidget* parent, const QString& name, const QPixmap& picture, int left, int top,
                    int width, int height) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(twipsRect(left, top, width, height));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setPixmap(picture);
    return label;
}

QLabel* makeInfoLabel(QWidget* parent, const QString& name, const QString& text, int left, int top,
                      int width, int height, double pointSize, bool bold) {
    QLabel* label = makeLabel(parent, text, left, top, width, height, bold, pointSize);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

ClickableLabel* makeWebAddressLabel(QWidget* parent, int left, int top, int width, int height) {
    auto* label = new ClickableLabel(parent);
    label->setObjectName(QStringLiteral("Label6"));
    QFont font = uiFont(9, true);
    font.setUnderline(true);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    label->setText(homePageCaption(siteBase()));
    label->setToolTip(QStringLiteral("홈페이지 열기"));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, linkTextColor(palette));
    label->setPalette(palette);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(twipsRect(left, top, width, height));
    return label;
}
