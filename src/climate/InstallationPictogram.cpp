#include "climate/InstallationPictogram.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <array>
#include <cmath>

#include "calc/ClimateDesign.h"

namespace {

// The drawing is made on a 64 by 48 grid and scaled to its target. The
// cabinet is seen from the front and a little from above right: its front,
// roof and right side show, and the depth runs up to the right.
constexpr double kGridWidth = 64;
constexpr double kGridHeight = 48;
constexpr QPointF kDepth(9, -7);

const QColor kOutline(0x2b, 0x34, 0x40);
const QColor kFront(0xf4, 0xf6, 0xf8);
const QColor kRoof(0xff, 0xff, 0xff);
const QColor kSide(0xdc, 0xe2, 0xe9);
const QColor kEveryFace(0xcf, 0xe3, 0xf7);  // type 0: every face counts alike
const QColor kCovered(0x8f, 0x99, 0xa6);
const QColor kCoveredDark(0x76, 0x80, 0x8d);
const QColor kHatch(0x55, 0x5f, 0x6b);

struct Box {
    QRectF front;  // on the grid
    QPolygonF frontFace() const { return QPolygonF(front); }
    QPolygonF roof() const {
        return QPolygonF({front.topLeft(), front.topRight(), front.topRight() + kDepth,
                          front.topLeft() + kDepth});
    }
    QPolygonF side() const {
        return QPolygonF({front.topRight(), front.topRight() + kDepth, front.bottomRight() + kDepth,
                          front.bottomRight()});
    }
};

void face(QPainter& p, const QPolygonF& polygon, const QColor& fill, bool hatch) {
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPolygon(polygon);
    if (hatch) {
        // Hatching drawn as lines on the grid, so that it scales with the
        // drawing instead of staying a device-pixel pattern.
        QPainterPath clip;
        clip.addPolygon(polygon);
        p.save();
        p.setClipPath(clip, Qt::IntersectClip);
        p.setPen(QPen(kHatch, 0.7));
        const QRectF r = polygon.boundingRect();
        for (double x = r.left() - r.height(); x < r.right(); x += 3.5)
            p.drawLine(QPointF(x, r.bottom()), QPointF(x + r.height(), r.top()));
        p.restore();
    }
    p.setPen(QPen(kOutline, 1.1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(polygon);
}

// A neighbouring cabinet, or a cover: shaded and hatched.
void coveredBox(QPainter& p, const Box& b, bool showSide) {
    face(p, b.frontFace(), kCovered, true);
    face(p, b.roof(), kCoveredDark, true);
    if (showSide) face(p, b.side(), kCoveredDark, true);
}

void cabinet(QPainter& p, const Box& b, bool everyFace) {
    face(p, b.frontFace(), everyFace ? kEveryFace : kFront, false);
    face(p, b.roof(), everyFace ? kEveryFace : kRoof, false);
    face(p, b.side(), everyFace ? kEveryFace.darker(112) : kSide, false);
    // The door: two leaves and their handles.
    const QRectF& f = b.front;
    p.setPen(QPen(kOutline, 0.8));
    p.drawLine(QPointF(f.center().x(), f.top() + 2), QPointF(f.center().x(), f.bottom() - 2));
    p.drawLine(QPointF(f.center().x() - 2, f.center().y() - 2),
               QPointF(f.center().x() - 2, f.center().y() + 2));
    p.drawLine(QPointF(f.center().x() + 2, f.center().y() - 2),
               QPointF(f.center().x() + 2, f.center().y() + 2));
}

class PictogramEngine final : public QIconEngine {
public:
    explicit PictogramEngine(int installation) : m_installation(installation) {}
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        drawInstallationPictogram(*painter, rect, m_installation);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        // QIcon asks for the size in device pixels already.
        return installationPictogram(m_installation, size, 1.0);
    }
    QIconEngine* clone() const override { return new PictogramEngine(m_installation); }
    QString key() const override { return QStringLiteral("CabinetPictogram"); }

private:
    int m_installation;
};

}  // namespace

CoveredFaces coveredFaces(int installation) {
    switch (installation) {
        case 2:
            return {true, false, false, false};
        case 3:
            return {false, true, false, false};
        case 4:
            return {true, true, false, false};
        case 5:
            return {false, true, true, false};
        case 6:
            return {true, true, true, false};
        case 7:
            return {true, true, true, true};
        default:
            return {};
    }
}

QString installationCaption(int installation) {
    const std::string_view text = CabinetInstallationText(installation);
    const QString caption = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    // The standard's types by their numbers; type 0 is the program's own.
    if (installation <= 0 || caption.isEmpty()) return caption;
    return QStringLiteral("%1. %2").arg(installation).arg(caption);
}

QString installationFormula(int installation) {
    switch (installation) {
        case 1:
            return QStringLiteral("A = 1.8·H·(W+D) + 1.4·W·D");
        case 2:
            return QStringLiteral("A = 1.4·W·(H+D) + 1.8·D·H");
        case 3:
            return QStringLiteral("A = 1.4·D·(H+W) + 1.8·W·H");
        case 4:
            return QStringLiteral("A = 1.4·H·(W+D) + 1.4·W·D");
        case 5:
            return QStringLiteral("A = 1.8·W·H + 1.4·W·D + D·H");
        case 6:
            return QStringLiteral("A = 1.4·W·(H+D) + D·H");
        case 7:
            return QStringLiteral("A = 1.4·W·H + 0.7·W·D + D·H");
        default:
            return QStringLiteral("A = 2·D·H + 2·H·W + D·W");
    }
}

void drawInstallationPictogram(QPainter& p, const QRectF& target, int installation) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    // Uniform scale, centred: the cabinet keeps its proportions in any box.
    const double scale = std::min(target.width() / kGridWidth, target.height() / kGridHeight);
    p.translate(target.center());
    p.scale(scale, scale);
    p.translate(-kGridWidth / 2, -kGridHeight / 2);

    const CoveredFaces covered = coveredFaces(installation);
    const Box self{QRectF(25, 16, 14, 28)};
    const Box left{QRectF(11, 16, 14, 28)};
    const Box right{QRectF(39, 16, 14, 28)};

    if (covered.back) {
        // The wall behind the cabinet, in the plane of its back.
        const QPolygonF wall(QRectF(3, 1, 60, 37 - 1));
        face(p, wall, kCovered, true);
    }
    if (covered.left) coveredBox(p, left, false);
    cabinet(p, self, installation == 0);
    if (covered.right) coveredBox(p, right, true);
    if (covered.roof) coveredBox(p, Box{QRectF(23, 13, 18, 3)}, true);
    p.restore();
}

QPixmap installationPictogram(int installation, QSize logicalSize, qreal devicePixelRatio) {
    if (logicalSize.isEmpty()) return {};
    const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QPixmap pixmap(QSize(int(std::ceil(logicalSize.width() * dpr)),
                         int(std::ceil(logicalSize.height() * dpr))));
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    drawInstallationPictogram(painter, QRectF(QPointF(0, 0), QSizeF(logicalSize)), installation);
    return pixmap;
}

QIcon installationIcon(int installation) { return QIcon(new PictogramEngine(installation)); }
