#pragma once

#include <QList>
#include <functional>

class QAbstractButton;
class QWidget;

// The keyboard of a window, as dialogs have it:
// - Enter or Return (either key, with or without the keypad) on a button
//   presses that button; anywhere else in the window it presses
//   `defaultButton`, when the window has one. One key press presses one
//   button once; held down, the key does not repeat the press.
// - Escape runs `onEscape`, when given (the window's Exit, or its close box).
// Call it once the window's controls are made.
void installWindowKeys(QWidget* window, QAbstractButton* defaultButton,
                       std::function<void()> onEscape = {});

// Sets the Tab order of `window`: the widgets of `order` one after the
// other, then every other control that takes the focus by Tab, in the order
// they were made. Widgets that do not take the focus by Tab are left out.
// The first of them all has the focus when the window opens.
void setKeyboardOrder(QWidget* window, const QList<QWidget*>& order);
