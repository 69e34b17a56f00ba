#include "info/frmHelp.h"

#include <QPixmap>

#include "info/ClickableLabel.h"
#include "info/InfoTexts.h"
#include "info/InfoWidgets.h"
#include "info/WebPages.h"
#include "kit/CabinetCoolApp.h"
#include "kit/Twips.h"

frmHelp::frmHelp(CabinetCoolApp& app)
    : QWidget(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_app(app) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(twipsSize(5040, 4110));

    imgLogo = makePicture(this, QStringLiteral("imgLogo"), logoPixmap(), 0, 0, 5025, 1965);
    imgIcon = makePicture(this, QStringLiteral("imgIcon"), iconPixmap(), 240, 1960, 480, 480);

    // The caption as designed is "에어콘 && 박스팬 제품 선정", whose doubled
    // ampersand stands for one; a plain-text label shows the one directly.
    lblProduct = makeInfoLabel(this, QStringLiteral("lblProduct"),
                               QStringLiteral("에어콘 & 박스팬 제품 선정"), 720, 2160, 2415, 255);
    lblVer =
        makeInfoLabel(this, QStringLiteral("lblVer"), startUpVersionText(), 720, 2520, 1455, 255);
    lblNotice =
        makeInfoLabel(this, QStringLiteral("lblNotice"), noticeText(), 720, 2880, 3975, 255);
    lblCompany =
        makeInfoLabel(this, QStringLiteral("lblCompany"), companyText(), 720, 3240, 1215, 255);
    Label6 = makeWebAddressLabel(this, 2160, 3240, 2775, 255);
    lblContact =
        makeInfoLabel(this, QStringLiteral("lblContact"), contactText(), 720, 3600, 4335, 255);

    connect(Label6, &ClickableLabel::clicked, this, &frmHelp::Label6_Click);
}

void frmHelp::Label6_Click() { openWebPage(m_app, this, WebPage::Home); }
