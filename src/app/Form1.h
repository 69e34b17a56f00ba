#pragma once

#include <QStringList>
#include <QWidget>

#include "calc/HeatBalance.h"
#include "kit/MainWindow.h"

class CabinetCoolApp;
class Form1Cues;
class QAbstractButton;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The main window: every input of a calculation as a text field, the three
// selection modes, the wall material, and the buttons that open the rest.
// The fields are the only store of the values; other windows read and write
// them through the MainWindow interface, never through the widgets.
class Form1 : public QWidget, public MainWindow {
    Q_OBJECT
public:
    explicit Form1(CabinetCoolApp& app);

    // Start-up: information window for two seconds, defaults, tables.
    void Form_Load();
    void SettingEnv();
    // Waits `seconds` on the seconds-since-midnight clock while handling events.
    void Delay(float seconds);

    // MainWindow
    QWidget* widget() override { return this; }
    SelectionMode selectedMode() const override;
    void selectMode(SelectionMode mode) override;
    void selectMaterial(int index) override;
    int selectedMaterial() const override;
    QMetaObject::Connection connectModeChanged(QObject* receiver,
                                               std::function<void()> handler) override;
    QString fieldText(CabinetField field) const override;
    void setFieldText(CabinetField field, const QString& text) override;
    QList<QAbstractButton*> screenOnlyButtons() const override;
    QString calculationFile() const override { return m_calculationFile; }
    void setCalculationFile(const QString& path) override { m_calculationFile = path; }
    bool inputsChangedSinceCalculation() const override;

    void OptBoxAircon_Click();
    void OptBoxFan1_Click();
    void OptBoxFan2_Click();
    void optSel_Click(int index);

    void cmdSS_Click();
    void cmdCal_Click();
    void cmdDiagram_Click();
    void cmdAirconDiagram();
    void cmdFan1Diagram_update();
    void cmdFan2Diagram();
    void cmdHeatValue_Click();
    void cmdHeatproduced_Click();
    void cmdSaveAs_Click();
    void cmdOpen_Click();
    void cmdPrint_Click();
    void cmdHelp_Click();
    void cmdURL_Click();
    void cmdClimate_Click();
    void cmdReport_Click();
    void cmdProject_Click();
    void cmdRise_Click();
    void cmdDevices_Click();
    void cmdExit_Click();

    CabinetCoolApp& app() const { return m_app; }

    // The fields (CabinetInputs). Public for the tests, which find every
    // control by its name anyway; the other windows use the interface above.
    QLineEdit* txtHeight;
    QLineEdit* txtWidth;
    QLineEdit* txtDepth;
    QLineEdit* txtSS;
    QLineEdit* txtPP;
    QLineEdit* txtT1;
    QLineEdit* txtT2;
    QLineEdit* txtT3;
    QLineEdit* txtT4;
    QLineEdit* txtUU;
    QLineEdit* txtPT;
    QLineEdit* txtKind;
    QLineEdit* txtCoolValue;

    QGroupBox* Frame1;
    QGroupBox* Frame2;
    QAbstractButton* OptBoxAircon;
    QAbstractButton* OptBoxFan1;
    QAbstractButton* OptBoxFan2;
    QRadioButton* optSel[2];
    QLabel* lblT2;
    QLabel* lblPTUnit;         // "W", or "W/K" in the fan modes
    QLabel* lblCoolValueUnit;  // the same for the model's capacity
    // A note at start-up: the configuration's model lines not shown under
    // their key, in one line with a link to the whole note. Hidden when
    // there is none.
    QLabel* lblStatusNote;

    QPushButton* cmdOpen;
    QPushButton* cmdSaveAs;
    QPushButton* cmdPrint;
    QPushButton* cmdHelp;
    QPushButton* cmdSS;
    QPushButton* cmdHeatValue;
    QPushButton* cmdHeatproduced;
    QPushButton* cmdCal;
    QPushButton* cmdExit;
    QPushButton* cmdURL;
    QPushButton* cmdDiagram;
    QPushButton* cmdClimate;
    QPushButton* cmdReport;
    QPushButton* cmdProject;
    QPushButton* cmdRise;
    QPushButton* cmdDevices;

signals:
    // The mode changed and its fields are set (connectModeChanged).
    void modeChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildLayout(QWidget* client);
    void applyMode(SelectionMode mode);
    void message(const QString& text);
    QLineEdit* field(CabinetField field) const;
    // The mode and the texts a calculation reads and writes, to tell whether
    // the results still belong to the inputs.
    QStringList calculationState() const;

    CabinetCoolApp& m_app;
    Form1Cues* m_cues = nullptr;
    // Controls that only one of the step-3 areas shows.
    QList<QWidget*> m_heatArea;      // modes Aircon and Fan1
    QList<QWidget*> m_measuredArea;  // mode Fan2
    QList<QLabel*> m_resultRow;      // the unit of txtPT and the arrow after it
    QString m_calculationFile;
    QString m_modelLinesNote;       // the start-up note in full
    QStringList m_calculatedState;  // empty until a calculation wrote its results
};
