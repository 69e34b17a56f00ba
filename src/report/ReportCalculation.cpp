#include "report/ReportCalculation.h"

#include "kit/ProjectSession.h"

namespace {

const CabinetField kInputFields[] = {
    CabinetField::Height,       CabinetField::Width, CabinetField::Depth,
    CabinetField::InternalHeat, CabinetField::T1,    CabinetField::T2,
    CabinetField::T3,           CabinetField::T4,    CabinetField::UValue};

// The main window's inputs as a cabinet keeps them.
Cabinet cabinetOfForm(const MainWindow& form) {
    Cabinet c;
    c.mode = projectModeName(form.selectedMode());
    c.material = form.selectedMaterial();
    for (CabinetField f : kInputFields) c.fields.insert(cabinetFieldName(f), form.fieldText(f));
    return c;
}

}  // namespace

SelectionMode CabinetMainWindow::selectedMode() const { return projectModeOfName(m_cabinet.mode); }

QString CabinetMainWindow::fieldText(CabinetField field) const {
    return m_cabinet.fields.value(cabinetFieldName(field));
}

MainCalculation runMainCalculation(const MainWindow& form, const EquipmentHeatTables& tables) {
    return evaluateMain(cabinetOfForm(form), tables);
}

QString reportFieldName(CabinetField field, SelectionMode mode) {
    return mainFieldCaption(field, mode);
}

QList<ReportInputError> checkMainInputs(const MainWindow& form) {
    QList<ReportInputError> errors;
    const Cabinet c = cabinetOfForm(form);
    // The tables play no part in reading the inputs.
    static const EquipmentHeatTables kNoTables{};
    for (const DesignInputError& e : evaluateMain(c, kNoTables).errors) {
        for (CabinetField f : kInputFields) {
            if (cabinetFieldName(f) == e.name) errors.append({f, e.text, e.why});
        }
    }
    return errors;
}
