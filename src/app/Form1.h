#pragma once

#include <QWidget>

#include "calc/HeatBalance.h"

class CabinetCoolApp;
class QAbstractButton;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The main window: every input of a calculation as a text field, the three
// selection modes, the wall material, and the buttons that open the rest.
// The fields are the only store of the values; other windows read and write
// them directly.
class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(CabinetCoolApp& app);

    // Start-up: information window for two seconds, defaults, tables.
    void Form_Load();
    void SettingEnv();
    // Waits `seconds` on the seconds-since-midnight clock while handling events.
    void Delay(float seconds);

    SelectionMode selectedMode() const;
    // Selects a mode or material as a click does: its handler runs only when
    // the button was not already selected.
    void selectMode(SelectionMode mode);
    void selectMaterial(int index);

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
    void cmdExit_Click();

    CabinetCoolApp& app() const { return m_app; }

    // The fields (CabinetInputs).
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

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    void applyMode(SelectionMode mode);
    void message(const QString& text);

    CabinetCoolApp& m_app;
    // Controls that only one of the step-3 areas shows.
    QList<QWidget*> m_heatArea;      // modes Aircon and Fan1
    QList<QWidget*> m_measuredArea;  // mode Fan2
};
