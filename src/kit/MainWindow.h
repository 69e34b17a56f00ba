#pragma once

#include <QList>
#include <QMetaObject>
#include <QString>
#include <functional>

#include "calc/HeatBalance.h"
#include "calc/NumberText.h"

class QAbstractButton;
class QObject;
class QWidget;

// The values of a calculation as the main window holds them: its inputs and
// results, each a text field.
enum class CabinetField {
    Height,
    Width,
    Depth,
    SurfaceArea,
    InternalHeat,
    T1,  // maximum outside temperature
    T2,  // desired or permissible inside temperature
    T3,  // measured outside temperature (mode Fan2)
    T4,  // measured inside temperature (mode Fan2)
    UValue,
    CoolingPower,   // the result: W, or W/K in the fan modes
    ModelName,      // the recommended model
    ModelCapacity,  // its capacity
};

// What the other windows may ask of and tell the main window. They never
// reach its widgets: the main window alone knows how it shows a value.
class MainWindow {
public:
    // The window itself, as the parent of dialogs and for placing others
    // beside it.
    virtual QWidget* widget() = 0;

    virtual SelectionMode selectedMode() const = 0;
    // Selects a mode or a material as a click does: the handler runs only
    // when the button was not already selected.
    virtual void selectMode(SelectionMode mode) = 0;
    virtual void selectMaterial(int index) = 0;
    // The wall material chosen: 0 steel sheet, 1 resin.
    virtual int selectedMaterial() const = 0;
    // Runs `handler` after each change of the mode, once the main window
    // has set the mode's fields, for as long as `receiver` lives. A main
    // window whose mode never changes (a stand-in for a page) keeps this
    // default, which connects nothing.
    virtual QMetaObject::Connection connectModeChanged(QObject* receiver,
                                                       std::function<void()> handler) {
        (void)receiver;
        (void)handler;
        return {};
    }

    // The text of a field as it stands, and a new text for it, as if the
    // user had typed it.
    virtual QString fieldText(CabinetField field) const = 0;
    virtual void setFieldText(CabinetField field, const QString& text) = 0;

    // The buttons that make no sense on paper, in the order a print hides
    // them.
    virtual QList<QAbstractButton*> screenOnlyButtons() const = 0;

    // The calculation file the values were last opened from or saved to;
    // empty when they came from none.
    virtual QString calculationFile() const = 0;
    virtual void setCalculationFile(const QString& path) = 0;
    // True when the mode, an input or a result field changed since the last
    // calculation ("계 산"), or when there was none: the result fields may
    // then not belong to the inputs beside them.
    virtual bool inputsChangedSinceCalculation() const = 0;

    // A field's number, read as every field is read.
    double fieldValue(CabinetField field) const {
        return ParseNumber(fieldText(field).toStdString());
    }

protected:
    ~MainWindow() = default;
};
