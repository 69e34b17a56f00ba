#pragma once

#include <QString>

#include "project/Project.h"

class QWidget;

// A window whose inputs belong to the cabinet of the project: the component
// heat window, the climate design window, the temperature-rise window. The
// project keeps them between openings and with the file; a window that
// opens for a cabinet that has them shows them instead of its defaults.
class StoredInputs {
public:
    // Where the cabinet keeps them: "heat", "climate" or "rise".
    virtual QString storedInputsSlot() const = 0;
    // Every input as it stands now, by control name.
    virtual WindowInputs storedInputs() const = 0;
    // Shows `inputs` (a control it does not have is passed over) and
    // computes again; empty inputs set the window afresh, as its opening does.
    virtual void applyStoredInputs(const WindowInputs& inputs) = 0;

protected:
    ~StoredInputs() = default;
};

// The inputs of `window` found by control name: the text of every editable
// field, the choice of every list, the state of every check box, among the
// controls whose names are `names` (all named ones when `names` is empty).
WindowInputs captureControls(const QWidget* window, const QStringList& names = {});
// Writes `inputs` into the controls of `window` of those names, as typing and
// choosing would; names without a control are passed over.
void applyControls(QWidget* window, const WindowInputs& inputs);
// The controls of `window` whose edits change what captureControls gives.
QList<QWidget*> inputControls(const QWidget* window, const QStringList& names = {});
