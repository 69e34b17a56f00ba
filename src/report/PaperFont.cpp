#include "report/PaperFont.h"

#include <QWidget>

#include "kit/Widgets.h"

namespace {

const QString kPaperFamily = QStringLiteral("NanumBarunGothic");

QFont onPaper(QFont font) {
    QStringList families = font.families();
    families.removeAll(kPaperFamily);
    families.prepend(kPaperFamily);
    font.setFamilies(families);
    return font;
}

}  // namespace

QFont paperFont(double pointSize, bool bold) { return onPaper(uiFont(pointSize, bold)); }

void usePaperFont(QWidget* widget) {
    widget->setFont(onPaper(widget->font()));
    for (QWidget* child : widget->findChildren<QWidget*>()) child->setFont(onPaper(child->font()));
}
