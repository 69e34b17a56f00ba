#pragma once

#include <QWidget>

class CabinetCoolApp;

// The information window shown for two seconds at start-up.
class frmHelp : public QWidget {
    Q_OBJECT
public:
    explicit frmHelp(CabinetCoolApp& app);

private:
    CabinetCoolApp& m_app;
};
