#pragma once

#include <QList>
#include <QWidget>
#include <functional>

#include "design/DeviceImport.h"

class CabinetCoolApp;
class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

// The user's own library of devices: a JSON file in the per-user data
// folder (docs/loss-library.md), the same in every project.
QString userLossLibraryFile();
void setUserLossLibraryFile(const QString& path);  // tests
// The program's typical devices, built in.
QList<LossLibraryEntry> typicalDevices();

// "기기 라이브러리": the typical devices and the user's own; a chosen one
// becomes a new line of the list, and the list's selected device line can
// be kept in the user's library.
class frmLossLibrary : public QWidget {
    Q_OBJECT
public:
    // `add` puts a line into the list; `selected` gives the list's selected
    // line, if any.
    frmLossLibrary(CabinetCoolApp& app, QWidget* parent,
                   std::function<void(const DeviceLineTexts&)> add,
                   std::function<std::optional<DeviceLineTexts>()> selected);

    void reload();
    void cmdLibAdd_Click();
    void cmdLibAddOwn_Click();

    QTableWidget* tblDevLibrary;
    QPushButton *cmdLibAdd, *cmdLibAddOwn, *cmdLibClose;
    QLabel* lblLibStatus;

private:
    CabinetCoolApp& m_app;
    std::function<void(const DeviceLineTexts&)> m_add;
    std::function<std::optional<DeviceLineTexts>()> m_selected;
    QList<LossLibraryEntry> m_devices;
    qsizetype m_typical = 0;  // the first m_typical are the program's
};

// "CSV 가져오기": the columns of a bill of materials mapped to the list's;
// every row is checked before any is taken.
class frmDeviceCsvImport : public QWidget {
    Q_OBJECT
public:
    frmDeviceCsvImport(const QString& fileName, CsvTable table, qsizetype existing, QWidget* parent,
                       std::function<void(const QList<DeviceLineTexts>&)> take);

    void cmdCsvImport_Click();

    QComboBox *cboCsvDescription, *cboCsvCount, *cboCsvIn, *cboCsvPn;
    QPushButton *cmdCsvImport, *cmdCsvCancel;
    QLabel* lblCsvErrors;

private:
    CsvTable m_table;
    qsizetype m_existing;
    std::function<void(const QList<DeviceLineTexts>&)> m_take;
};
