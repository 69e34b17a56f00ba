#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <QWidget>

#include "calc/TemperatureRise.h"
#include "kit/StoredInputs.h"
#include "rise/RiseProfile.h"

class CabinetCoolApp;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// What the window shows, as plain values for a report: the inputs as read
// (none where a field holds no number), the results, and the window's texts.
struct RiseReport {
    RiseInput input;
    RiseResult result;
    QString arrangement;  // the arrangement's caption, or "사용자 지정"
    QString verdict;      // as lblRiseVerdict shows it
    QStringList notes;    // as the notes area shows them, one a line
    RiseProfile profile;  // for drawRiseProfile
};

// "제어반 내부 온도 상승 (IEC/TR 60890)": the air temperature an enclosure
// reaches at half, three quarters and its full height by the calculation
// method of IEC/TR 60890, and whether the devices there allow it. It takes
// the cabinet from the main window when it opens and is on its own from then
// on: nothing here writes back. Every edit recomputes.
class frmRise : public QWidget, public StoredInputs {
    Q_OBJECT
public:
    explicit frmRise(CabinetCoolApp& app);

    // The verification's own inputs (arrangement, faces, partitions,
    // openings, ambient and permissible temperatures, overrides) belong to
    // the cabinet of the project; the dimensions and P come afresh at every
    // opening, as for a cabinet without them.
    QString storedInputsSlot() const override { return QStringLiteral("rise"); }
    WindowInputs storedInputs() const override;
    void applyStoredInputs(const WindowInputs& inputs) override;

    // Fills the inputs afresh from the main window and computes.
    void Form_Load();
    // Reads every input whole and writes every result.
    void recompute();
    void cmdRiseExit_Click();

    // The inputs by control name: the text of each field, the index of each
    // list, the state of each check box. Applying such a map (a subset
    // does) sets those controls and computes once.
    QVariantMap inputValues() const;
    void applyInputValues(const QVariantMap& values);

    const RiseReport& report() const { return m_report; }

    QComboBox* cboRiseInstall;
    QComboBox *cboRiseTop, *cboRiseFront, *cboRiseBack, *cboRiseLeft, *cboRiseRight;
    QLineEdit *txtRiseHeight, *txtRiseWidth, *txtRiseDepth;
    QLineEdit* txtRisePartitions;
    QCheckBox* chkRiseVent;
    QLineEdit *txtRiseInlet, *txtRiseOutlet;
    QLineEdit *txtRiseP, *txtRiseTu, *txtRiseTmax05, *txtRiseTmax10;
    QCheckBox* chkRiseOverride;
    QLineEdit *txtRiseOverrideC, *txtRiseOverrideD, *txtRiseOverrideK;

    QLineEdit *txtRiseAe, *txtRiseF, *txtRiseK, *txtRiseC, *txtRiseD, *txtRiseX;
    QLineEdit *txtRiseDt05, *txtRiseDt075, *txtRiseDt10;
    QLineEdit *txtRiseT05, *txtRiseT075, *txtRiseT10;
    QLabel* lblRiseFName;
    QLabel* lblRiseCurve;
    QLabel* lblRiseVerdict = nullptr;
    QLabel* lblRiseNotes;
    QWidget* picRiseProfile;
    QPushButton* cmdRiseExit;

protected:
    void changeEvent(QEvent* event) override;

private:
    void buildLayout(QWidget* client);
    void setUpToolTips();
    void arrangementChosen(int index);
    void faceChanged();
    void updateEnabled();
    void updateVerdictColour();
    std::optional<double> read(QLineEdit* field, bool used);
    void showResult(QLineEdit* field, const RiseValue& value, const char* pattern,
                    const QString& unit);

    CabinetCoolApp& m_app;
    RiseReport m_report;
    QHash<const QLineEdit*, QString> m_captions;  // for the notes
    QHash<const QWidget*, QString> m_tips;        // the results' descriptions
    QList<QLineEdit*> m_inputFields;
    QStringList m_unreadable;
    QStringList m_reasons;
    bool m_filling = false;
};
