#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <vector>

#include "calc/ClimateDesign.h"
#include "kit/StoredInputs.h"

class CabinetCoolApp;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// What the window recommends, as plain values: the designation of each
// model, empty where none is picked.
struct ClimatePicks {
    QString aircon;
    QString fan;
    QString filterFan;
    QString heater;
};

// "제어반 상세 기후 설계": the cabinet's climate beyond the main window's
// method. The effective area of the installation type, cooling power, W/K
// of a heat exchanger, filter-fan airflow at altitude, heater power and the
// dew point, each with a model pick. It takes its inputs from the main window
// when it opens and is on its own from then on: nothing here writes back.
class frmClimate : public QWidget, public StoredInputs {
    Q_OBJECT
public:
    explicit frmClimate(CabinetCoolApp& app);

    // The design belongs to the cabinet of the project; a cabinet without
    // one gets the window filled from the main window, as at its opening.
    QString storedInputsSlot() const override { return QStringLiteral("climate"); }
    WindowInputs storedInputs() const override;
    void applyStoredInputs(const WindowInputs& inputs) override;

    // Copies the inputs from the main window, reads the model lists, computes.
    void Form_Load();
    // Reads every input and writes every result; runs at each edit.
    void recompute();
    void cmdClimateExit_Click();

    // For the report: the inputs and results as last computed, the type's
    // caption and pictogram, the model picks and the notes of the status line.
    const ClimateDesignInput& inputs() const { return m_input; }
    const ClimateDesignResult& results() const { return m_result; }
    int installationType() const;
    QString installationCaption() const;
    QPixmap installationPictogram(QSize logicalSize, qreal devicePixelRatio) const;
    QIcon installationIcon() const;
    const ClimatePicks& picks() const { return m_picks; }
    const QStringList& statusNotes() const { return m_notes; }
    bool condensationRisk() const { return m_condensation; }

    QLineEdit *txtClimH, *txtClimW, *txtClimD;
    QComboBox* cboClimInstall;
    QLineEdit *txtClimP, *txtClimK, *txtClimTu, *txtClimTi, *txtClimAlt;
    QLineEdit *txtClimTuMin, *txtClimTiMin, *txtClimPMin, *txtClimRH;
    QCheckBox* chkClimSun;
    QLineEdit *txtClimSunE, *txtClimSunAbs, *txtClimSunArea, *txtClimMargin;

    QLineEdit *txtClimA, *txtClimQs, *txtClimQsun;
    QLineEdit *txtClimCool, *txtClimCoolModel;
    QLineEdit *txtClimQw, *txtClimFanModel;
    QLineEdit *txtClimFlow, *txtClimFlowCfm, *txtClimFlowModel;
    QLineEdit *txtClimHeater, *txtClimHeaterModel;
    QLineEdit* txtClimDew;
    QLabel* lblClimFlowFactor;
    QLabel* lblClimCondensation = nullptr;
    QLabel* lblClimStatus;
    QLabel* lblClimFormula;
    QPushButton* cmdClimateReport;
    QPushButton* cmdClimateExit;

signals:
    // The user asked for the report of what the window shows.
    void reportRequested();

protected:
    void changeEvent(QEvent* event) override;

private:
    void buildLayout(QWidget* client);
    void updatePictogram();
    void updateSunArea();
    void updateWarningColour();

    CabinetCoolApp& m_app;
    ClimateDesignInput m_input;
    ClimateDesignResult m_result;
    ClimatePicks m_picks;
    QStringList m_notes;
    bool m_condensation = false;
    std::vector<ClimateModel> m_filterFans;
    std::vector<ClimateModel> m_heaters;
    // The sunlit area follows the dimensions until the user types one.
    bool m_sunAreaTyped = false;
    bool m_filling = false;
};
