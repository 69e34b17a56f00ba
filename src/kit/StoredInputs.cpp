#include "kit/StoredInputs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

namespace {

bool isInput(const QWidget* w) {
    if (w->objectName().isEmpty()) return false;
    if (const auto* edit = qobject_cast<const QLineEdit*>(w)) return !edit->isReadOnly();
    return qobject_cast<const QComboBox*>(w) || qobject_cast<const QCheckBox*>(w);
}

}  // namespace

QList<QWidget*> inputControls(const QWidget* window, const QStringList& names) {
    QList<QWidget*> controls;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        // A combo box's own line edit is no control of the window.
        if (qobject_cast<QComboBox*>(w->parentWidget())) continue;
        if (isInput(w) && (names.isEmpty() || names.contains(w->objectName()))) controls.append(w);
    }
    return controls;
}

WindowInputs captureControls(const QWidget* window, const QStringList& names) {
    WindowInputs inputs;
    for (QWidget* w : inputControls(window, names)) {
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            inputs.insert(w->objectName(), edit->text());
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            inputs.insert(w->objectName(), combo->currentIndex());
        else if (auto* check = qobject_cast<QCheckBox*>(w))
            inputs.insert(w->objectName(), check->isChecked());
    }
    return inputs;
}

void applyControls(QWidget* window, const WindowInputs& inputs) {
    // Lists and check boxes first: they may enable or fill the fields.
    for (QWidget* w : inputControls(window)) {
        const auto it = inputs.constFind(w->objectName());
        if (it == inputs.constEnd()) continue;
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            const int index = it->toInt();
            if (index >= 0 && index < combo->count()) combo->setCurrentIndex(index);
        } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
            check->setChecked(it->toBool());
        }
    }
    for (QWidget* w : inputControls(window)) {
        const auto it = inputs.constFind(w->objectName());
        if (it == inputs.constEnd()) continue;
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            if (it->typeId() == QMetaType::QString) edit->setText(it->toString());
        }
    }
}
