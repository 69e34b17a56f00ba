#include "files/FileCommands.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <algorithm>

#include "files/CoolFile.h"
#include "kit/CabinetCoolApp.h"
#include "kit/MainWindow.h"
#include "kit/PlatformServices.h"
#include "kit/ScrollableClient.h"
#include "kit/Widgets.h"

namespace {

PlatformServices::FileDialog coolFileDialog(const CabinetCoolApp& app, bool save) {
    PlatformServices::FileDialog d;
    // Both dialogs carry the same title.
    d.title = QStringLiteral("Cool file Save");
    d.startFolder = QDir::fromNativeSeparators(
        QString::fromStdU16String(app.paths().calculationFolder().u16string()));
    d.filters = {QStringLiteral("Cool File (*.COL) (*.col)"),
                 QStringLiteral(" ALL File (*.*) (*)")};
    d.confirmOverwrite = save;
    return d;
}

CoolFileRecord recordOf(const MainWindow& form) {
    CoolFileRecord r;
    r.mode = form.selectedMode();
    r.width = form.fieldValue(CabinetField::Width);
    r.depth = form.fieldValue(CabinetField::Depth);
    r.height = form.fieldValue(CabinetField::Height);
    r.surfaceArea = form.fieldValue(CabinetField::SurfaceArea);
    r.internalHeat = form.fieldValue(CabinetField::InternalHeat);
    r.t1 = form.fieldValue(CabinetField::T1);
    r.t2 = form.fieldValue(CabinetField::T2);
    if (r.mode == SelectionMode::Fan2) {
        r.t3 = form.fieldValue(CabinetField::T3);
        r.t4 = form.fieldValue(CabinetField::T4);
    }
    r.uValue = form.fieldValue(CabinetField::UValue);
    r.coolingPower = form.fieldValue(CabinetField::CoolingPower);
    r.modelName = form.fieldText(CabinetField::ModelName);
    r.modelCapacity = form.fieldValue(CabinetField::ModelCapacity);
    return r;
}

// Puts each value of a file into the main window the moment it is read, as
// the user would have entered it: the mode and the material through their
// buttons, numbers in their NumberText form.
class MainWindowSink : public CoolFileSink {
public:
    explicit MainWindowSink(MainWindow& form) : m_form(form) {}

    void applyMode(SelectionMode mode) override { m_form.selectMode(mode); }

    void applyNumber(CoolField field, double value) override {
        if (field == CoolField::UValue) {
            // The coefficient is shown by choosing its material; a value that
            // is no material's leaves both as they are.
            if (const std::optional<int> material = MaterialOfUValue(value)) {
                m_form.selectMaterial(*material);
            }
            return;
        }
        m_form.setFieldText(field, numberText(value));
    }

    void applyModelName(const QString& text) override {
        m_form.setFieldText(CabinetField::ModelName, text);
    }

private:
    MainWindow& m_form;
};

// Hides the buttons for the print and shows them again however it ends.
class HiddenWhilePrinting {
public:
    explicit HiddenWhilePrinting(MainWindow& form) : m_buttons(form.screenOnlyButtons()) {
        // The print button itself usually has the focus. Hidden, it would
        // hand it on to the first field, whose selected text would then be
        // printed and stay selected; instead the window keeps no focus while
        // printing and the button gets it back afterwards.
        QWidget* focus = form.widget()->focusWidget();
        if (std::find(m_buttons.begin(), m_buttons.end(), focus) != m_buttons.end()) {
            m_focus = focus;
            focus->clearFocus();
        }
        for (QAbstractButton* b : m_buttons) b->setVisible(false);
    }
    ~HiddenWhilePrinting() {
        for (QAbstractButton* b : m_buttons) b->setVisible(true);
        if (m_focus) m_focus->setFocus(Qt::OtherFocusReason);
    }
    HiddenWhilePrinting(const HiddenWhilePrinting&) = delete;
    HiddenWhilePrinting& operator=(const HiddenWhilePrinting&) = delete;

private:
    QList<QAbstractButton*> m_buttons;
    QPointer<QWidget> m_focus;
};

}  // namespace

void saveCalculationAs(CabinetCoolApp& app, const QString& defaultName) {
    MainWindow* form = app.mainWindow();
    if (!form) return;
    QWidget* parent = form->widget();
    PlatformServices::FileDialog dialog = coolFileDialog(app, true);
    dialog.defaultName = defaultName;
    const QString path = app.platform().saveFileName(parent, dialog);
    if (path.isEmpty()) return;
    if (!WriteCoolFile(path, recordOf(*form))) {
        // Nothing about the format can fail here: the file could not be
        // created or written (no permission, no room, a folder by that name).
        app.platform().fileWriteErrorBox(parent, fileWriteErrorText(path));
        return;
    }
    form->setCalculationFile(path);
}

void openCalculation(CabinetCoolApp& app) {
    MainWindow* form = app.mainWindow();
    if (!form) return;
    QWidget* parent = form->widget();
    const QString path = app.platform().openFileName(parent, coolFileDialog(app, false));
    if (path.isEmpty()) return;
    openCalculationFile(app, path);
}

void openCalculationFile(CabinetCoolApp& app, const QString& path) {
    MainWindow* form = app.mainWindow();
    if (!form) return;
    QWidget* parent = form->widget();
    MainWindowSink sink(*form);
    // A file that fails part-way leaves values of its own and of before.
    const bool read = ReadCoolFile(path, sink);
    form->setCalculationFile(read ? path : QString());
    if (!read) app.platform().fileErrorBox(parent);
}

void openCalculationFileNamed(CabinetCoolApp& app, const QString& path) {
    MainWindow* form = app.mainWindow();
    if (!form) return;
    if (!QFileInfo::exists(path)) {
        app.platform().messageBox(form->widget(), fileMissingText(path));
        return;
    }
    openCalculationFile(app, path);
}

QString fileMissingText(const QString& path) {
    return QStringLiteral("파일을 찾을 수 없습니다.\n%1").arg(QDir::toNativeSeparators(path));
}

QString fileWriteErrorText(const QString& path) {
    return QStringLiteral(
               "파일을 저장할 수 없습니다.\n%1\n\n"
               "이 폴더에 쓸 권한이 있는지, 디스크에 빈 공간이 있는지 확인하고 "
               "다른 폴더를 골라 다시 저장하세요.")
        .arg(QDir::toNativeSeparators(path));
}

void printMainWindow(CabinetCoolApp& app) {
    MainWindow* form = app.mainWindow();
    if (!form) return;
    const HiddenWhilePrinting hidden(*form);
    // Cancel and failure end like success: the buttons come back, silently.
    // The whole client area at its design size, also when the window
    // shows only part of it on a small screen.
    app.platform().printWindow(form->widget(), scrollableClientOf(form->widget()));
}
