#pragma once

#include <QHash>
#include <QIcon>
#include <QMetaObject>
#include <QPixmap>
#include <QRect>
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
class QScrollArea;

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
// when it opens and is on its own from then on: nothing here writes back,
// and only a change of the main window's mode fills P again.
//
// Every input is read whole (ParseWholeNumber): a text that is not one
// number is an input error, shown at the field and in the status line, and
// every result that depends on it shows "—".
class frmClimate : public QWidget, public StoredInputs {
    Q_OBJECT
public:
    explicit frmClimate(CabinetCoolApp& app);

    // The design belongs to the cabinet of the project: its own inputs
    // (installation, altitude, winter, humidity, sun, margin) are kept; the
    // dimensions, P, U, Tu and Ti come from the main window at every
    // opening, as for a cabinet without a design.
    QString storedInputsSlot() const override { return QStringLiteral("climate"); }
    WindowInputs storedInputs() const override;
    void applyStoredInputs(const WindowInputs& inputs) override;

    // Copies the inputs from the main window, reads the model lists, computes.
    void Form_Load();
    // Reads every input and writes every result; runs at each edit.
    void recompute();
    // Fills P as the main window's mode has it: its heat, or in the
    // measured-temperature mode the heat its measurements imply.
    void fillInternalHeat();
    void cmdClimateExit_Click();

    // For the report: the inputs and results as last computed, the type's
    // caption and pictogram, the model picks and the notes of the status line.
    // An input whose text was not read whole is NaN in inputs(); the captions
    // of those inputs are in unreadInputs().
    const ClimateDesignInput& inputs() const { return m_input; }
    const QStringList& unreadInputs() const { return m_unreadCaptions; }
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
    QLineEdit *txtClimSunE, *txtClimSunAbs, *txtClimSunArea, *txtClimSunRse, *txtClimMargin;
    // Where P comes from: "주 화면의 P", "측정값에서 추정" or "직접 입력".
    QLabel* lblClimPSource;

    QLineEdit *txtClimA, *txtClimQs, *txtClimQsun;
    QLineEdit *txtClimCool, *txtClimCoolModel;
    QLineEdit *txtClimQw, *txtClimFanModel;
    QLineEdit *txtClimFlow, *txtClimFlowCfm, *txtClimFlowModel;
    QLineEdit *txtClimHeater, *txtClimHeaterModel;
    QLineEdit* txtClimDew;
    QLabel* lblClimFlowFactor;
    QLabel* lblClimCondensation = nullptr;
    QLabel* lblClimStatus;
    QScrollArea* scrClimStatus;  // holds lblClimStatus: every note can be read whole
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
    // A result row whose requirement is not needed shows one text over its
    // value, unit and model.
    struct ResultRow {
        QLineEdit* value = nullptr;
        QLabel* unit = nullptr;
        QLineEdit* model = nullptr;
        QRect normal;  // the value's box
        QRect wide;    // the value's box over the unit and the model
    };
    void setRowNotNeeded(const ResultRow& row, bool notNeeded);

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
    QList<ResultRow> m_rows;
    QHash<const QLineEdit*, QString> m_captions;  // of each input, for the notes
    QStringList m_unreadCaptions;
    QMetaObject::Connection m_modeConnection;
};
