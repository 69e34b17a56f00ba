#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <QWidget>

#include "calc/TemperatureRise.h"
#include "design/CabinetDesign.h"
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
// method of IEC/TR 60890, and whether the devices there allow it. H, W, D
// and P follow the main window while the window is open, until the user
// types over them; nothing here writes back. Every edit recomputes, by the
// design layer's evaluateRise of the cabinet with the window's inputs, so
// the report gives the same verdict.
class frmRise : public QWidget, public StoredInputs {
    Q_OBJECT
public:
    explicit frmRise(CabinetCoolApp& app);
    ~frmRise() override;

    // The verification's own inputs (arrangement, faces, partitions,
    // openings, ambient and permissible temperatures, overrides) belong to
    // the cabinet of the project, and of H, W, D and P those typed over.
    QString storedInputsSlot() const override { return QStringLiteral("rise"); }
    WindowInputs storedInputs() const override;
    void applyStoredInputs(const WindowInputs& inputs) override;

    // Sets the inputs afresh (H, W, D, P following) and computes.
    void Form_Load();
    // The current cabinet of the project with this window's inputs.
    Cabinet windowCabinet() const;
    bool follows(const QLineEdit* field) const;
    // Reads every input whole and writes every result.
    void recompute();
    void cmdRiseExit_Click();

    // The inputs by control name as they stand: the text of each field
    // (following or not), the index of each list, the state of each check
    // box. Applying such a map (a subset does) sets those controls, a
    // following field's text as typed, and computes once.
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
    std::optional<double> read(QLineEdit* field, bool used, const Cabinet& cabinet);
    bool refreshFollowing();
    void fieldEdited(QLineEdit* field);
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
    // H, W, D and P, and those of them the user typed over.
    QList<QLineEdit*> m_following;
    QSet<const QLineEdit*> m_typed;
    QStringList m_followed;  // the followed texts as last shown
};
