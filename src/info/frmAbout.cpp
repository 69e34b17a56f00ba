#include "info/frmAbout.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include "info/ClickableLabel.h"
#include "info/InfoKeys.h"
#include "info/InfoTexts.h"
#include "info/InfoWidgets.h"
#include "info/SystemInfo.h"
#include "info/WebPages.h"
#include "kit/AppInfo.h"
#include "kit/CabinetCoolApp.h"
#include "kit/Twips.h"
#include "kit/Widgets.h"

frmAbout::frmAbout(CabinetCoolApp& app)
    : QWidget(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_app(app) {
    setObjectName(QStringLiteral("frmAbout"));
    setFixedSize(twipsSize(5730, 3555));

    picIcon = makePicture(this, QStringLiteral("picIcon"), iconPixmap(), 240, 240, 510, 510);
    lblTitle =
        makeInfoLabel(this, QStringLiteral("lblTitle"), QString(), 1050, 360, 3885, 240, 9.75);
    lblVersion =
        makeInfoLabel(this, QStringLiteral("lblVersion"), QString(), 1050, 780, 3885, 225, 9.75);
    lblDescription = makeInfoLabel(this, QStringLiteral("lblDescription"), noticeText(), 1050, 1125,
                                   3885, 210, 9.75);
    lblCompany =
        makeInfoLabel(this, QStringLiteral("lblCompany"), companyText(), 1080, 1560, 1215, 255);
    Label6 = makeWebAddressLabel(this, 2520, 1560, 2775, 255);
    lblContact =
        makeInfoLabel(this, QStringLiteral("lblContact"), contactText(), 1080, 1920, 4335, 255);
    lblDisclaimer = makeInfoLabel(this, QStringLiteral("lblDisclaimer"), disclaimerText(), 255,
                                  2625, 3750, 465, 9, false);
    lblDisclaimer->setWordWrap(true);

    cmdOK =
        makeButton(this, QStringLiteral("cmdOK"), QStringLiteral("확인"), 4004, 2640, 1587, 345);
    cmdSysInfo = makeButton(this, QStringLiteral("cmdSysInfo"),
                            QStringLiteral("시스템 정보(&S)..."), 4004, 3075, 1587, 345);
    for (QPushButton* b : {cmdOK, cmdSysInfo}) b->setFont(uiFont(9, false));
    // OK is the default button: it shows the frame and Enter presses it
    // unless the focus stands on the other button, which then takes Enter.
    cmdOK->setDefault(true);
    cmdSysInfo->setAutoDefault(true);

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    connect(Label6, &ClickableLabel::clicked, this, &frmAbout::Label6_Click);
    setUpAboutToolTips(*this);

    Form_Load();
}

void frmAbout::Form_Load() {
    setWindowTitle(applicationTitle() + QStringLiteral(" 정보"));
    lblVersion->setText(QStringLiteral("버전 ") + programVersion());
    lblTitle->setText(applicationTitle());
}

void frmAbout::cmdOK_Click() { m_app.unloadWindow(this); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(m_app.platform(), this); }

void frmAbout::Label6_Click() { openWebPage(m_app, this, WebPage::Home); }

void frmAbout::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Keys that reach the window: no button took them, so they are OK's.
            if (event->modifiers() & ~(Qt::KeypadModifier)) break;
            event->accept();
            cmdOK->click();
            return;
        default:
            break;
    }
    QWidget::keyPressEvent(event);
}

void frmAbout::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    cmdOK->setFocus(Qt::ActiveWindowFocusReason);
}

void frmAbout::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    // The etched separator above the disclaimer: a grey line, and a white
    // one two pixels wide just under it.
    QPainter painter(this);
    const int y = twips(2445);
    painter.fillRect(QRect(QPoint(twips(90), y), QPoint(twips(5654), y)), QColor(128, 128, 128));
    painter.fillRect(QRect(QPoint(twips(105), y + 1), QPoint(twips(5654), y + 2)), Qt::white);
}
