#include "info/frmHelp.h"

#include "app/CabinetCoolApp.h"
#include "app/Twips.h"

frmHelp::frmHelp(CabinetCoolApp& app) : QWidget(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_app(app) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(twipsSize(5040, 4110));
}
