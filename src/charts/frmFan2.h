#pragma once

#include <QWidget>

class CabinetCoolApp;
class ChartCanvas;
class ChartMarker;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

// The two-panel nomogram of box-fan mode 2: computed once while it loads,
// from the values the main window stored when it opened this window.
class frmFan2 : public QWidget {
    Q_OBJECT
public:
    explicit frmFan2(CabinetCoolApp& app);

    void Form_Load();
    // Area, readings, highlighted S lines and the construction.
    void Result();
    void HScroll1_Change();
    void VScroll1_Change();
    void cmdExit_Click();

    // The area S that Result read.
    double AreaS() const { return m_areaS; }
    // Turns the dT band line with that number (20 to 26) blue.
    void markBandLine(int lineNumber);

    ChartCanvas* SSPanel1;
    QLineEdit* txtDetaT;
    QLineEdit* txtdeltaT1;
    QLineEdit* txtSS;
    QLineEdit* txtXX0;
    QLineEdit* txtXX;
    QLineEdit* txtYY;  // the reading Y as text; never shown
    QLabel* lblYY;
    QScrollBar* HScroll1;
    QScrollBar* HScroll2;
    QScrollBar* VScroll1;
    QPushButton* cmdExit;
    ChartMarker* labelA;
    ChartMarker* labelB;

private:
    void buildLayout(QWidget* client);
    void buildFixedChart();

    CabinetCoolApp& m_app;
    double m_areaS = 0;
};
