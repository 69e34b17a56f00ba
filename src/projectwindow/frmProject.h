#pragma once

#include <QWidget>

#include "design/CabinetDesign.h"

class CabinetCoolApp;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

// "프로젝트": the project's data, its cabinets in a table, the selected
// cabinet's tag, description and count, the project file commands and the
// recent projects. Choosing a row makes that cabinet current: the main
// window and the windows of its inputs show it. Modeless, one at a time.
//
// The commands that reach calculation files and reports (import, export,
// the project report, a dropped .col file) are signals: the window knows no
// other window's folder, and the program connects them where it opens it.
class frmProject : public QWidget {
    Q_OBJECT
public:
    explicit frmProject(CabinetCoolApp& app);

    void Form_Load();
    // The table, the fields and the title as the project stands.
    void refresh();

    void cmdProjAdd_Click();
    void cmdProjDuplicate_Click();
    void cmdProjRemove_Click();
    void cmdProjUp_Click();
    void cmdProjDown_Click();
    void cmdProjNew_Click();
    void cmdProjOpen_Click();
    void cmdProjSave_Click();
    void cmdProjSaveAs_Click();
    void cmdProjExit_Click();
    // Opens the project of the recent list's row.
    void openRecent(int row);
    // The status line under the table: what the last command did.
    void showNote(const QString& text);

    QLineEdit *txtProjName, *txtProjCustomer, *txtProjSite, *txtProjAuthor, *txtProjCompany,
        *txtProjRevision;
    QPlainTextEdit* txtProjNote;
    QTableWidget* tblProjCabinets;
    QLineEdit *txtCabTag, *txtCabDescription, *txtCabCount;
    QPushButton *cmdProjAdd, *cmdProjDuplicate, *cmdProjRemove, *cmdProjUp, *cmdProjDown;
    QPushButton *cmdProjNew, *cmdProjOpen, *cmdProjSave, *cmdProjSaveAs, *cmdProjImportCol,
        *cmdProjExportCol, *cmdProjReport, *cmdProjExportBill, *cmdProjExit;
    // The selected cabinet's governing method and kind of device, and its
    // device: the built-in lists' model or a library device the design
    // offers.
    QComboBox *cboCabMethod, *cboCabDeviceKind, *cboCabDevice;
    QLabel* lblCabDevice;  // the picked device at the operating point
    QPushButton* cmdLibrary;
    QListWidget* lstProjRecent;
    QLabel* lblProjStatus;

signals:
    void importRequested();
    void exportRequested();
    void reportRequested();
    void billRequested();
    void libraryRequested();
    void calculationFileDropped(const QString& path);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    void refreshTable();
    void refreshRow(int row);
    void refreshCabinetFields();
    void refreshInfoFields();
    void refreshRecent();
    void refreshTitle();
    void infoEdited();
    void cabinetFieldEdited();
    void designChoiceEdited();
    void refreshDesignChoice();
    void refreshLibraryChoice();
    // The library the rows are evaluated with: the project's copies and the
    // user's devices as they are now.
    void syncLibrary();
    void libraryChoiceEdited();

    CabinetCoolApp& m_app;
    DesignTables m_tables;
    QList<Cabinet> m_shown;  // what each row shows, by row
    bool m_sized = false;    // the columns fit the rows shown
    bool m_filling = false;
};
