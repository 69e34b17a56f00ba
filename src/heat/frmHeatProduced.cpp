#include "heat/frmHeatProduced.h"

#include <QButtonGroup>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "heat/HeatKeys.h"
#include "heat/ReferenceTables.h"
#include "kit/CabinetCoolApp.h"
#include "kit/ScrollableClient.h"
#include "kit/Twips.h"
#include "kit/Widgets.h"

namespace {

constexpr std::array<QSize, frmHeatProduced::kPictures> kPictureSizes = {
    QSize(568, 869), QSize(567, 857), QSize(566, 827),
    QSize(566, 827), QSize(566, 827), QSize(567, 857)};

}  // namespace

QSize frmHeatProduced::pictureSize(int k) {
    if (k < 1 || k > kPictures) return {};
    return kPictureSizes[static_cast<size_t>(k - 1)];
}

frmHeatProduced::frmHeatProduced(CabinetCoolApp& app)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint),
      m_app(app) {
    setObjectName(QStringLiteral("frmHeatProduced"));
    setWindowTitle(QStringLiteral("Heat Produced"));
    buildLayout(makeScrollableClient(this, twipsSize(10185, 14415)));
    Form_Load();
    setUpHeatProducedKeys(*this);
}

void frmHeatProduced::buildLayout(QWidget* client) {
    // The pictures are drawn from the built-in tables when first shown.
    m_tables = loadReferenceTables();
    for (int k = 1; k <= kPictures; ++k) {
        QLabel* image = new QLabel(client);
        image->setObjectName(QStringLiteral("Image%1").arg(k));
        image->setGeometry(QRect(twipsPoint(720, 1200), pictureSize(k)));
        image->hide();
        Image[static_cast<size_t>(k - 1)] = image;
    }

    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    QWidget* previous = nullptr;
    for (int k = 1; k <= kPictures; ++k) {
        QPushButton* button = makeButton(client, QStringLiteral("OptHeatProduced%1").arg(k),
                                         QStringLiteral("HeatProduced%1").arg(k),
                                         120 + 1680 * (k - 1), 240, 1575, 615);
        button->setCheckable(true);
        group->addButton(button, k);
        connect(button, &QPushButton::clicked, this, [this, k]() { OptHeatProduced_Click(k); });
        if (previous) setTabOrder(previous, button);
        previous = button;
        OptHeatProduced[static_cast<size_t>(k - 1)] = button;
    }
}

void frmHeatProduced::ensurePicture(int k) {
    QLabel* image = Image[static_cast<size_t>(k - 1)];
    if (!image->pixmap().isNull()) return;
    // At the screen's pixel ratio, so that the text stays sharp on
    // high-density screens.
    image->setPixmap(QPixmap::fromImage(
        drawReferencePicture(m_tables, k, pictureSize(k), devicePixelRatioF()).image));
}

void frmHeatProduced::Form_Load() {
    OptHeatProduced[0]->setChecked(true);
    ensurePicture(1);
    for (int k = 1; k <= kPictures; ++k) Image[static_cast<size_t>(k - 1)]->setVisible(k == 1);
}

void frmHeatProduced::OptHeatProduced_Click(int k) {
    if (k < 1 || k > kPictures) return;
    OptHeatProduced[static_cast<size_t>(k - 1)]->setChecked(true);
    ensurePicture(k);
    for (int i = 1; i <= kPictures; ++i) Image[static_cast<size_t>(i - 1)]->setVisible(i == k);
}
