#include "kit/WindowKeys.h"

#include <QAbstractButton>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

namespace {

bool isEnter(const QKeyEvent* key) {
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool isEscape(const QKeyEvent* key) {
    return key->key() == Qt::Key_Escape &&
           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool canPress(const QAbstractButton* button) {
    return button && button->isEnabled() && button->isVisible();
}

// Watches the window and its fields and buttons. A key that a field or a
// button does not take goes on to the window, so keys on any other control
// (a chart, a scroll bar) arrive there.
class WindowKeyFilter final : public QObject {
public:
    WindowKeyFilter(QWidget* window, QAbstractButton* defaultButton, std::function<void()> onEscape)
        : QObject(window), m_defaultButton(defaultButton), m_onEscape(std::move(onEscape)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusIn) {
            selectOnOpening(watched, static_cast<QFocusEvent*>(event));
            return false;
        }
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (isEnter(key)) {
            if (key->isAutoRepeat()) return true;
            auto* button = qobject_cast<QAbstractButton*>(watched);
            if (!canPress(button)) button = m_defaultButton;
            if (!canPress(button)) return false;
            button->click();
            return true;
        }
        if (isEscape(key) && m_onEscape) {
            if (!key->isAutoRepeat()) m_onEscape();
            return true;
        }
        return false;
    }

private:
    // The field that has the focus when the window opens is ready to be
    // typed over, as a field entered by Tab is: its text is selected.
    void selectOnOpening(QObject* watched, const QFocusEvent* focus) {
        if (m_opened) return;
        if (focus->reason() != Qt::ActiveWindowFocusReason) return;
        m_opened = true;
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (field && !field->isReadOnly()) field->selectAll();
    }

    QPointer<QAbstractButton> m_defaultButton;
    std::function<void()> m_onEscape;
    bool m_opened = false;
};

}  // namespace

void installWindowKeys(QWidget* window, QAbstractButton* defaultButton,
                       std::function<void()> onEscape) {
    auto* filter = new WindowKeyFilter(window, defaultButton, std::move(onEscape));
    window->installEventFilter(filter);
    // Caught at the control itself: a field would otherwise pass Enter on to
    // the window only after its own handling, and a button that takes the
    // key needs it first.
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w)) {
            w->installEventFilter(filter);
        }
    }
}

void setKeyboardOrder(QWidget* window, const QList<QWidget*>& order) {
    // Widgets that Tab passes over (scroll bars) stay out of the chain: in
    // it, they would make Tab skip their neighbours.
    const auto takesTab = [](const QWidget* w) { return (w->focusPolicy() & Qt::TabFocus) != 0; };
    QList<QWidget*> all;
    for (QWidget* w : order) {
        if (takesTab(w)) all.append(w);
    }
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (takesTab(w) && !all.contains(w)) all.append(w);
    }
    for (qsizetype i = 1; i < all.size(); ++i) QWidget::setTabOrder(all[i - 1], all[i]);
    if (!all.isEmpty()) all.first()->setFocus(Qt::OtherFocusReason);
}
