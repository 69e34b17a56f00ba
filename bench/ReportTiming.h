#pragma once

#include <QString>

class CabinetCoolApp;
class Form1;

// Times the design report from the click of its button to the file
// written, in each mode and from the climate design window, and records
// "report <name> <ns>" (-1 when no file came). `answerSaveDialog` is the
// name the probe's save dialog answers with while this runs.
void timeReports(CabinetCoolApp& app, Form1& form, QString& answerSaveDialog);
