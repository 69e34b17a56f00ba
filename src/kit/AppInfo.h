#pragma once

#include <QString>

// The application title that message boxes and the About box carry.
inline QString applicationTitle() { return QStringLiteral("CabinetCool"); }
