#pragma once

#include <QWidget>

class CabinetCoolApp;
class ChartCanvas;
class ChartMarker;
class QFrame;
class QLineEdit;
class QPushButton;

// The nomogram of box-fan mode 1: reads the internal heat and the area the
// main window had when it opened this window, draws the construction
// O-A-B-X and shows the required heat-exchanger capacity X.
class frmFan1 : public QWidget {
    Q_OBJECT
public:
    explicit frmFan1(CabinetCoolApp& app);

    // Copies the area text of the main window and the stored heat.
    void Result2();
    // Draws the whole chart over what is there and shows X.
    void Caldraw();
    void cmdcaldraw_Click();
    void cmdExit_Click();

    // The last X computed by a drawing.
    double ResultX() const { return m_resultX; }

    QFrame* Frame1;
    ChartCanvas* Picture1;
    ChartMarker* LabelAA;
    ChartMarker* LabelBB;
    QLineEdit* txtPP;
    QLineEdit* txtSS;
    QLineEdit* txtXX;
    QPushButton* cmdcaldraw;
    QPushButton* cmdExit;

private:
    void buildLayout(QWidget* client);
    void buildFixedChart();

    CabinetCoolApp& m_app;
    double m_resultX = 0;
};
