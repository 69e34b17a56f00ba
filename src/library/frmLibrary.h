#pragma once

#include <QList>
#include <QTimer>
#include <QWidget>

#include "project/DeviceLibrary.h"

class CabinetCoolApp;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;

// "장비 라이브러리": the engineer's own devices with their data-sheet
// values. The table lists them; the fields edit the selected one, and every
// edit that reads whole is kept in the library file (saved a moment after
// the last key, and when the window closes). A value that does not read, or
// that a device cannot have, is marked at its field or cell and not taken.
// The project's copies of a device follow its edits. Modeless, one at a
// time.
class frmLibrary : public QWidget {
    Q_OBJECT
public:
    explicit frmLibrary(CabinetCoolApp& app);
    ~frmLibrary() override;

    void Form_Load();

    void cmdLibAdd_Click();
    void cmdLibDuplicate_Click();
    void cmdLibRemove_Click();
    void cmdLibImport_Click();
    void cmdLibExport_Click();
    void cmdLibExit_Click();
    // Imports a CSV file by name (the command asks for it first).
    void importCsv(const QString& path);
    void exportCsv(const QString& path);
    // Writes pending edits to the library file now.
    void saveNow();

    // The devices as the window holds them (saved, or about to be).
    const QList<LibraryDevice>& devices() const { return m_devices; }

    QTableWidget* tblLibrary;
    QLineEdit *txtLibDesignation, *txtLibMaker;
    QComboBox* cboLibKind;
    QTableWidget* tblLibPoints;
    QLineEdit *txtLibTuMax, *txtLibSpecific, *txtLibFlowFree, *txtLibFlowFilter, *txtLibPower;
    QPushButton *cmdLibAdd, *cmdLibDuplicate, *cmdLibRemove, *cmdLibImport, *cmdLibExport,
        *cmdLibExit;
    QLabel* lblLibStatus;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    void refreshTable();
    void refreshRow(int row);
    void refreshFields();
    void refreshKindFields();
    void showNote(const QString& text);
    int currentRow() const;
    // Takes the edited device into the library, to be saved.
    void changed(const LibraryDevice& device);
    bool mayEdit();
    // Saves a moment after the last edit.
    void scheduleSave();
    // The selected row for a command, or -1 after saying why it cannot act.
    int rowToActOn(const QString& what);
    void designationEdited();
    void makerEdited();
    void kindEdited();
    void valueEdited(QLineEdit* field);
    void pointEdited();

    CabinetCoolApp& m_app;
    QList<LibraryDevice> m_devices;
    QTimer m_saveTimer;
    bool m_filling = false;
    bool m_unsaved = false;
};
