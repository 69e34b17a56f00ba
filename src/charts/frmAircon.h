#pragma once

#include <QWidget>

class CabinetCoolApp;
class ChartCanvas;
class ChartMarker;
class QLineEdit;
class QPushButton;

// The air-conditioner capacity diagram: highlights the line of the desired
// set temperature, marks the maximum outside temperature and shows the
// line value and the required cooling capacity. Computed once while it loads.
class frmAircon : public QWidget {
    Q_OBJECT
public:
    explicit frmAircon(CabinetCoolApp& app);

    void Form_Load();
    void cmdExit_Click();

    ChartCanvas* SSPanel1;
    QLineEdit* txtSS;
    QLineEdit* txtWW;
    QLineEdit* txtyy2;
    QPushButton* cmdExit;
    ChartMarker* labelA;
    ChartMarker* labelB;

private:
    void buildLayout(QWidget* client);
    void buildFixedChart();

    CabinetCoolApp& m_app;
};
