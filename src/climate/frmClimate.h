#pragma once

#include <QHash>
#include <QIcon>
#include <QMetaObject>
#include <QPixmap>
#include <QRect>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <vector>

#include "calc/ClimateDesign.h"
#include "design/CabinetDesign.h"
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
    QString condensationHeater;
};

// "제어반 상세 기후 설계": the cabinet's climate beyond the main window's
// method. The effective area of the installation type, cooling power, W/K
// of a heat exchanger, filter-fan airflow at altitude, heater power and the
// dew point of a humid day's air with the heater that keeps the cabinet
// clear of it at night, each with a model pick. The dimensions, P, U, Tu, Ti
// follow the main window (and the sunlit area the dimensions) while the
// window is open, until the user types over them; nothing here writes back.
// Its results are the design layer's evaluateClimate of the cabinet with
// the window's inputs, so the report shows the same numbers.
//
// Every input is read whole (ParseWholeNumber): a text that is not one
// number is an input error, shown at the field and in the status line, and
// every result that depends on it shows "—".
class frmClimate : public QWidget, public StoredInputs {
    Q_OBJECT
public:
    explicit frmClimate(CabinetCoolApp& app);
    ~frmClimate() override;

    // The design belongs to the cabinet of the project: its own inputs
    // (installation, altitude, winter, the humid day, sun, margin) are kept,
    // and of the inputs that follow another only those the user typed.
    QString storedInputsSlot() const override { return QStringLiteral("climate"); }
    WindowInputs storedInputs() const override;
    void applyStoredInputs(const WindowInputs& inputs) override;

    // Sets every input afresh (the following ones following), reads the
    // model lists, computes.
    void Form_Load();
    // Reads every input and writes every result; runs at each edit.
    void recompute();
    // The current cabinet of the project with this window's inputs.
    Cabinet windowCabinet() const;
    // Whether a following input still follows (the user has not typed it).
    bool follows(const QLineEdit* field) const;
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
    QLineEdit *txtClimTuMin, *txtClimTiMin, *txtClimPMin;
    QLineEdit *txtClimDayT, *txtClimRH, *txtClimNightT;
    QCheckBox* chkClimSun;
    QLineEdit *txtClimSunE, *txtClimSunAbs, *txtClimSunArea, *txtClimSunRse, *txtClimMargin;
    // Where P comes from: "주 화면의 P", "측정값에서 추정" or "직접 입력".
    QLabel* lblClimPSource;

    QLineEdit *txtClimA, *txtClimQs, *txtClimQsun;
    QLineEdit *txtClimCool, *txtClimCoolModel;
    QLineEdit *txtClimQw, *txtClimFanModel;
    QLineEdit *txtClimFlow, *txtClimFlowCfm, *txtClimFlowModel;
    QLineEdit *txtClimHeater, *txtClimHeaterModel;
    QLineEdit *txtClimDewHeater, *txtClimDewHeaterModel;
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
    // Shows the followed values in the following fields; true when any changed.
    bool refreshFollowing();
    void fieldEdited(QLineEdit* field);
    void updatePSource();
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
    // The following inputs the user has typed over.
    QSet<const QLineEdit*> m_typed;
    QList<QLineEdit*> m_following;
    QStringList m_followed;  // the followed texts as last shown
    bool m_filling = false;
    QList<ResultRow> m_rows;
    QHash<const QLineEdit*, QString> m_captions;  // of each input, for the notes
    QStringList m_unreadCaptions;
};
