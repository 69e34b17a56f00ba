#pragma once

#include <QString>

class CabinetCoolApp;

// "Save As", "Open" and "화면 Print" of the main window.
// `defaultName`: the file name the dialog offers.
void saveCalculationAs(CabinetCoolApp& app, const QString& defaultName = QString());
void openCalculation(CabinetCoolApp& app);
void printMainWindow(CabinetCoolApp& app);

// Opens the calculation file `path` into the main window as "Open" does
// once a file is chosen: the same reading, the same failure message.
void openCalculationFile(CabinetCoolApp& app, const QString& path);
// A file named on the command line: as openCalculationFile, but a name that
// leads to no file is said to be missing, with its path, and changes nothing.
void openCalculationFileNamed(CabinetCoolApp& app, const QString& path);
// "파일을 찾을 수 없습니다." with the path.
QString fileMissingText(const QString& path);

// The message of a calculation file that could not be written.
QString fileWriteErrorText(const QString& path);
