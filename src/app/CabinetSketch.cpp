#include "app/CabinetSketch.h"

#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "kit/Twips.h"

namespace {

// Corners of the cabinet in frame twips.
constexpr double kFrontLeft = 840, kFrontRight = 2040, kFrontTop = 2400, kFrontBottom = 4000;
constexpr double kDepthX = 600, kDepthY = -420;  // oblique offset of the back edges

void drawArrow(QPainter& p, QPointF from, QPointF to) {
    p.drawLine(from, to);
    const QLineF line(from, to);
    const double angle = std::atan2(line.dy(), line.dx());
    const double head = 90, spread = 0.45;
    for (const QPointF tip : {to, from}) {
        const double a = tip == to ? angle + M_PI : angle;
        p.drawLine(tip, tip + QPointF(head * std::cos(a + spread), head * std::sin(a + spread)));
        p.drawLine(tip, tip + QPointF(head * std::cos(a - spread), head * std::sin(a - spread)));
    }
}

}  // namespace

CabinetSketch::CabinetSketch(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("CabinetSketch"));
    setGeometry(twipsRect(kLeft, kTop, kRight - kLeft, kBottom - kTop));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CabinetSketch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // Frame twips in, widget pixels out.
    p.setWindow(kLeft, kTop, kRight - kLeft, kBottom - kTop);
    p.setViewport(rect());
    // In the window's text colour, so that the sketch reads in a dark colour
    // scheme too; one logical pixel wide on every screen density.
    const QColor ink = palette().color(QPalette::WindowText);
    QPen pen(ink);
    pen.setCosmetic(true);
    pen.setWidthF(p.device()->devicePixelRatioF());
    p.setPen(pen);

    const QPointF fl(kFrontLeft, kFrontTop), fr(kFrontRight, kFrontTop);
    const QPointF bl(kFrontLeft, kFrontBottom), br(kFrontRight, kFrontBottom);
    const QPointF back(kDepthX, kDepthY);

    // Front face with its two-leaf door and handles.
    p.drawPolygon(QPolygonF({fl, fr, br, bl}));
    const double inset = 70, mid = (kFrontLeft + kFrontRight) / 2;
    p.drawRect(QRectF(QPointF(kFrontLeft + inset, kFrontTop + inset),
                      QPointF(kFrontRight - inset, kFrontBottom - inset)));
    p.drawLine(QPointF(mid, kFrontTop + inset), QPointF(mid, kFrontBottom - inset));
    const double handleTop = (kFrontTop + kFrontBottom) / 2 - 120;
    p.drawLine(QPointF(mid - 70, handleTop), QPointF(mid - 70, handleTop + 240));
    p.drawLine(QPointF(mid + 70, handleTop), QPointF(mid + 70, handleTop + 240));

    // Roof and right side.
    p.drawPolygon(QPolygonF({fl, fr, fr + back, fl + back}));
    p.drawPolygon(QPolygonF({fr, fr + back, br + back, br}));

    QPen thin = pen;
    // The dimension lines a little lighter than the cabinet.
    const QColor ground = palette().color(QPalette::Window);
    thin.setColor(QColor::fromRgbF(0.65f * ink.redF() + 0.35f * ground.redF(),
                                   0.65f * ink.greenF() + 0.35f * ground.greenF(),
                                   0.65f * ink.blueF() + 0.35f * ground.blueF()));
    p.setPen(thin);

    // Height (C): right of the side face.
    const double hx = kFrontRight + kDepthX + 220;
    p.drawLine(fr + back + QPointF(40, 0), QPointF(hx + 60, kFrontTop + kDepthY));
    p.drawLine(br + back + QPointF(40, 0), QPointF(hx + 60, kFrontBottom + kDepthY));
    drawArrow(p, QPointF(hx, kFrontTop + kDepthY), QPointF(hx, kFrontBottom + kDepthY));

    // Width (B): under the front face.
    const double wy = kFrontBottom + 200;
    p.drawLine(bl + QPointF(0, 40), QPointF(kFrontLeft, wy + 60));
    p.drawLine(br + QPointF(0, 40), QPointF(kFrontRight, wy + 60));
    drawArrow(p, QPointF(kFrontLeft, wy), QPointF(kFrontRight, wy));

    // Depth (A): along the bottom edge of the side face.
    const QPointF shift(90, 130);
    p.drawLine(br + QPointF(20, 30), br + shift + QPointF(20, 30));
    p.drawLine(br + back + QPointF(20, 30), br + back + shift + QPointF(20, 30));
    drawArrow(p, br + shift, br + back + shift);
}
