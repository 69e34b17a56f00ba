#pragma once

#include <QWidget>

class CabinetCoolApp;
class ClickableLabel;
class QLabel;
class QPushButton;

// The About box: title, version, our notices, the address of the user guide,
// and the system-information tool. Modeless; one at a time.
class frmAbout : public QWidget {
    Q_OBJECT
public:
    explicit frmAbout(CabinetCoolApp& app);

    // Sets the caption and the texts that come from the build.
    void Form_Load();

    void cmdOK_Click();
    void cmdSysInfo_Click();
    void Label6_Click();

    QLabel* picIcon;
    QLabel* lblTitle;
    QLabel* lblVersion;
    QLabel* lblDescription;
    QLabel* lblCompany;
    ClickableLabel* Label6;  // the web address
    QLabel* lblContact;
    QLabel* lblDisclaimer;
    QPushButton* cmdOK;
    QPushButton* cmdSysInfo;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    CabinetCoolApp& m_app;
};
