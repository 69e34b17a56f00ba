#pragma once

#include <QWidget>

class CabinetCoolApp;
class ClickableLabel;
class QLabel;

// The information window shown for two seconds at start-up: our logo, the
// program's title and version, and the address of the user guide.
class frmHelp : public QWidget {
    Q_OBJECT
public:
    explicit frmHelp(CabinetCoolApp& app);

    void Label6_Click();

    QLabel* imgLogo;
    QLabel* imgIcon;
    QLabel* lblProduct;
    QLabel* lblVer;
    QLabel* lblNotice;
    QLabel* lblCompany;
    ClickableLabel* Label6;  // the web address
    QLabel* lblContact;

private:
    CabinetCoolApp& m_app;
};
