#include "charts/ChartWidgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>

#include "charts/ChartCanvas.h"
#include "kit/Widgets.h"

QLabel* chartLabel(QWidget* parent, const QString& text, int left, int top, int width, int height,
                   bool bold, double pointSize) {
    QLabel* label = makeLabel(parent, text, left, top, width, height, bold, pointSize);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->resize(label->size().expandedTo(label->sizeHint()));
    return label;
}

QLabel* verticalLabel(QWidget* parent, const QString& text, int left, int top, int width,
                      int height, bool bold, double pointSize) {
    QStringList characters;
    for (const QChar c : text) characters.append(QString(c));
    QLabel* label = chartLabel(parent, characters.join(QLatin1Char('\n')), left, top, width, height,
                               bold, pointSize);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return label;
}

QLabel* axisLabel(QWidget* parent, const QString& text, int left, int top, double pointSize) {
    return makeLabelAt(parent, text, left, top, false, pointSize);
}

QLineEdit* chartField(QWidget* parent, const QString& name, int left, int top, int width,
                      int height, bool bold) {
    QLineEdit* field = makeField(parent, name, left, top, width, height);
    if (bold) field->setFont(uiNumberFont(9, true));
    setReadOnlyWhite(field);
    return field;
}

void setMarkerColor(ChartMarker* marker, const QColor& color) {
    QPalette palette = marker->palette();
    palette.setColor(QPalette::WindowText, color);
    marker->setPalette(palette);
    marker->resize(marker->size().expandedTo(marker->sizeHint()));
}

QString chartLineName(int number) { return QStringLiteral("Line%1").arg(number); }

ChartMarkerPair addMarkerPair(ChartCanvas* canvas, const QString& nameA, QPointF positionA,
                              const QString& nameB, QPointF positionB, QSizeF size) {
    const ChartMarkerPair pair{canvas->addMarker(nameA, QStringLiteral("A"), positionA, size),
                               canvas->addMarker(nameB, QStringLiteral("B"), positionB, size)};
    for (ChartMarker* m : {pair.a, pair.b}) {
        m->setFont(uiFont(9, true));
        setMarkerColor(m, toQColor(kChartRed));
    }
    return pair;
}
