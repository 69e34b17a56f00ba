#include "kit/ScrollableClient.h"

#include <QEvent>
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

// The largest window for a client of `client` size within `room`: the
// client whole where it fits, otherwise as much of it as fits, with the
// scroll bars that then take their own room.
QSize fittedSize(QSize client, QSize room, int bar) {
    bool vertical = client.height() > room.height();
    bool horizontal = client.width() + (vertical ? bar : 0) > room.width();
    if (!vertical && horizontal) vertical = client.height() + bar > room.height();
    const QSize largest(client.width() + (vertical ? bar : 0),
                        client.height() + (horizontal ? bar : 0));
    return largest.boundedTo(room);
}

int scrollBarExtent(const QScrollArea* area) {
    return area->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, area);
}

const char* const kGrowName = "growToRealFrame";

// Once the window stands on the screen its title bar and borders are known:
// the window is sized again with them in place of the estimate, so that a
// window that fits the screen shows all of its design without scroll bars.
// Only once, before the user can have resized it, and not after the window
// was sized for its place with fitScrollableWindow.
class GrowToRealFrame final : public QObject {
public:
    explicit GrowToRealFrame(QWidget* window) : QObject(window), m_window(window) {
        setObjectName(QString::fromLatin1(kGrowName));
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window &&
            (event->type() == QEvent::Show || event->type() == QEvent::Move)) {
            grow();
        }
        return false;
    }

private:
    void grow() {
        const QRect frame = m_window->frameGeometry();
        const QRect inner = m_window->geometry();
        if (!m_window->isVisible() || frame.size() == inner.size()) return;  // not framed yet
        const QScreen* screen = m_window->screen();
        if (!screen) return;
        const QRect available = screen->availableGeometry();
        const QSize margins = frame.size() - inner.size();
        fitScrollableWindow(m_window, available.size() - margins);  // deletes this
        // Kept on the screen.
        const QSize outer = m_window->size() + margins;
        QPoint at = frame.topLeft();
        at.setX(std::clamp(at.x(), available.left(),
                           available.left() + available.width() - outer.width()));
        at.setY(std::clamp(at.y(), available.top(),
                           available.top() + available.height() - outer.height()));
        if (at != frame.topLeft()) m_window->move(at);
    }

    QWidget* m_window;
};

}  // namespace

QWidget* makeScrollableClient(QWidget* window, QSize clientSize) {
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* area = new QScrollArea(window);
    // The frame itself is no stop for Tab: the keyboard goes from control to
    // control, and the area scrolls to the one that has the focus.
    area->setFocusPolicy(Qt::NoFocus);
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

    const QSize size = fittedSize(clientSize, room, scrollBarExtent(area));
    window->setMinimumSize(std::min(size.width(), 160), std::min(size.height(), 120));
    fitScrollableWindow(window, room);
    if (window->size() != clientSize) new GrowToRealFrame(window);
    return client;
}

void fitScrollableWindow(QWidget* window, QSize room) {
    if (QObject* grow = window->findChild<QObject*>(QString::fromLatin1(kGrowName),
                                                    Qt::FindDirectChildrenOnly)) {
        window->removeEventFilter(grow);
        grow->deleteLater();
        grow->setObjectName(QString());
    }
    const QScrollArea* area = clientScrollArea(window);
    if (!area || !area->widget()) return;
    // The window never grows beyond what shows the whole client; on a
    // screen too small for it, beyond the screen.
    const QSize size = fittedSize(area->widget()->size(), room, scrollBarExtent(area));
    window->setMaximumSize(size);
    window->resize(size);
}

QScrollArea* clientScrollArea(const QWidget* window) {
    return window->findChild<QScrollArea*>(QString::fromLatin1(kScrollAreaName),
                                           Qt::FindDirectChildrenOnly);
}

QWidget* scrollableClientOf(QWidget* window) {
    if (const QScrollArea* area = clientScrollArea(window)) {
        if (QWidget* client = area->widget()) return client;
    }
    return window;
}
