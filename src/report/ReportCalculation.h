#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "calc/HeatBalance.h"
#include "design/CabinetDesign.h"
#include "kit/CalculationTexts.h"
#include "kit/MainWindow.h"

class MainWindow;
struct EquipmentHeatTables;

// The main window's calculation ("계 산") as the design evaluates it: the
// numbers it would write and, in order, the messages it would show.
using MainCalculation = MainEvaluation;

// A cabinet of the project seen as the main window: its mode, material and
// field texts as kept. The report reads a cabinet through it, the chart
// windows built for a page too; whatever they would write goes nowhere.
class CabinetMainWindow final : public MainWindow {
public:
    // `real`: the program's main window, for the window dialogs belong to;
    // may be none.
    CabinetMainWindow(const Cabinet& cabinet, MainWindow* real)
        : m_cabinet(cabinet), m_real(real) {}

    QWidget* widget() override { return m_real ? m_real->widget() : nullptr; }
    SelectionMode selectedMode() const override;
    void selectMode(SelectionMode) override {}
    void selectMaterial(int) override {}
    int selectedMaterial() const override { return m_cabinet.material; }
    QString fieldText(CabinetField field) const override;
    void setFieldText(CabinetField, const QString&) override {}
    QList<QAbstractButton*> screenOnlyButtons() const override { return {}; }
    QString calculationFile() const override { return QString(); }
    void setCalculationFile(const QString&) override {}
    bool inputsChangedSinceCalculation() const override { return false; }

private:
    const Cabinet& m_cabinet;
    MainWindow* m_real;
};

// The main window's calculation on the fields as they stand.
MainCalculation runMainCalculation(const MainWindow& form, const EquipmentHeatTables& tables);

// An input of the main window that the report does not calculate with.
struct ReportInputError {
    CabinetField field;
    QString text;  // as the field holds it
    QString why;   // in plain words, naming the field
};

// The main window's inputs of its mode read as a report reads them: each
// text one whole number (ParseWholeNumber), dimensions and the heat
// transfer coefficient above 0, the internal heat not below 0 and the
// temperatures from -100 to 200 °C. Empty when all can be calculated with.
QList<ReportInputError> checkMainInputs(const MainWindow& form);

// The name of an input on paper: "높이 H".
QString reportFieldName(CabinetField field, SelectionMode mode);

// The lowest and highest temperature the report calculates with, °C.
inline constexpr double kReportMinTemperature = kDesignMinTemperature;
inline constexpr double kReportMaxTemperature = kDesignMaxTemperature;
