#pragma once

#include <QWidget>
#include <array>
#include <vector>

#include "design/HeatValueTable.h"
#include "kit/StoredInputs.h"

class CabinetCoolApp;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// " [ 종류별 발열량 ]": counts of typical cabinet components, multiplied by
// their heat losses from the configuration file; the total goes into the main
// window's internal heat field.
class frmHeatValue : public QWidget, public StoredInputs {
    Q_OBJECT
public:
    explicit frmHeatValue(CabinetCoolApp& app);

    // The counts belong to the cabinet of the project.
    QString storedInputsSlot() const override { return QStringLiteral("heat"); }
    WindowInputs storedInputs() const override;
    void applyStoredInputs(const WindowInputs& inputs) override;

    // Clears the subtotals and reads the configuration file again, so that
    // losses edited since the last opening take effect.
    void Form_Load();
    // Computes the total from the counts and writes it here, into the main
    // window's txtPP and into TotalHeatValue.
    void Sum_Total();
    void cmdCalValue_Click();
    void cmdInitValue_Click();
    void cmdExit_Click();

    // The count field of row `row` of `family` (txtTransformerNum(0) ...).
    QLineEdit* countField(HeatFamily family, int row) const;
    double subtotal(HeatFamily family) const { return m_subtotals[familyIndex(family)]; }

    QLineEdit* txtTotalHeatValue;
    QPushButton* cmdCalValue;
    QPushButton* cmdInitValue;
    QPushButton* cmdExit;

private:
    void buildLayout(QWidget* client);
    void clearSubtotals();
    QStringList countNames() const;

    CabinetCoolApp& m_app;
    std::array<std::vector<QLineEdit*>, kHeatFamilyCount> m_counts;
    std::array<double, kHeatFamilyCount> m_subtotals{};
};
