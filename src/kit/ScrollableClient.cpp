#include "kit/ScrollableClient.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// Room left on the screen for the window manager's title bar and borders,
// which are not known before the window is first shown.
constexpr int kDecorationWidth = 8;
constexpr int kDecorationHeight = 48;

const char* const kScrollAreaName = "clientScrollArea";

}  // namespace

QWidget* makeScrollableClient(QWidget* window, QSize clientSize) {
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* area = new QScrollArea(window);
    area->setObjectName(QString::fromLatin1(kScrollAreaName));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(false);
    area->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(area);

    auto* client = new QWidget;
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(clientSize);
    area->setWidget(client);

    QScreen* screen = window->screen();
    if (!screen) screen = QGuiApplication::primaryScreen();
    QSize room = clientSize;
    if (screen) {
        const QSize available = screen->availableGeometry().size();
        room = QSize(std::max(available.width() - kDecorationWidth, 160),
                     std::max(available.height() - kDecorationHeight, 120));
    }

    // A scroll bar in one direction takes room in the other, which may then
    // need its own.
    const int bar = area->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, area);
    bool vertical = clientSize.height() > room.height();
    bool horizontal = clientSize.width() + (vertical ? bar : 0) > room.width();
    if (!vertical && horizontal) vertical = clientSize.height() + bar > room.height();

    const QSize largest(clientSize.width() + (vertical ? bar : 0),
                        clientSize.height() + (horizontal ? bar : 0));
    window->setMaximumSize(largest);
    window->setMinimumSize(std::min(largest.width(), 160), std::min(largest.height(), 120));
    window->resize(largest.boundedTo(room));
    return client;
}

QScrollArea* clientScrollArea(const QWidget* window) {
    return window->findChild<QScrollArea*>(QString::fromLatin1(kScrollAreaName),
                                           Qt::FindDirectChildrenOnly);
}
