// The yardstick: a bare Qt Widgets program that goes through the same steps
// as CabinetCool's start-up with nothing of its own: a small information
// window with a picture, two seconds on a timer, then a main window with
// about as many controls as CabinetCool's, and a secondary window opened by
// a button. Same probe, same build flags.
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWidget>

#include "Probe.h"

namespace {

// Roughly the make-up of the main window (the driver prints both counts).
constexpr int kLabels = 38;
constexpr int kFields = 13;
constexpr int kButtons = 14;
constexpr int kRadios = 2;

QWidget* infoWindow() {
    auto* w = new QWidget(nullptr, Qt::Dialog);
    w->setObjectName(QStringLiteral("info"));
    w->setWindowTitle(QStringLiteral("About"));
    w->setFixedSize(336, 274);
    QImage logo(335, 131, QImage::Format_RGB32);
    logo.fill(QColor(30, 60, 140));
    QPainter(&logo).drawText(logo.rect(), Qt::AlignCenter, QStringLiteral("LOGO"));
    auto* picture = new QLabel(w);
    picture->setPixmap(QPixmap::fromImage(logo));
    picture->setGeometry(0, 0, 335, 131);
    const char* texts[] = {"에어콘 & 박스팬 제품 선정", "Ver 1.0",
                           "무단 복제를 금합니다",      "회사",
                           "www.example.com",           "전화 000-0000"};
    int top = 140;
    for (const char* t : texts) {
        auto* label = new QLabel(QString::fromUtf8(t), w);
        label->setGeometry(48, top, 280, 17);
        top += 22;
    }
    return w;
}

QWidget* secondaryWindow() {
    auto* w = new QWidget(nullptr, Qt::Window);
    w->setObjectName(QStringLiteral("secondary"));
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setFixedSize(420, 360);
    for (int i = 0; i < 12; ++i) {
        auto* label = new QLabel(QStringLiteral("항목 %1").arg(i), w);
        label->setGeometry(10, 10 + 25 * i, 120, 20);
        auto* field = new QLineEdit(QString::number(i * 10), w);
        field->setGeometry(140, 10 + 25 * i, 80, 20);
    }
    auto* ok = new QPushButton(QStringLiteral("계산"), w);
    ok->setGeometry(300, 10, 100, 30);
    auto* exit = new QPushButton(QStringLiteral("Exit"), w);
    exit->setGeometry(300, 50, 100, 30);
    return w;
}

QWidget* mainWindow() {
    auto* w = new QWidget(nullptr, Qt::Window);
    w->setObjectName(QStringLiteral("main"));
    w->setWindowTitle(QStringLiteral("에어컨&박스팬 제품 선정"));
    w->setFixedSize(542, 710);
    auto* frame = new QGroupBox(QStringLiteral(" [ 제품 기종 선정 ] "), w);
    frame->setGeometry(8, 8, 529, 697);
    for (int i = 0; i < kLabels; ++i) {
        auto* label = new QLabel(QStringLiteral("온도 설정 %1").arg(i), frame);
        label->setGeometry(10 + 260 * (i % 2), 20 + 17 * (i / 2), 150, 16);
    }
    for (int i = 0; i < kFields; ++i) {
        auto* field = new QLineEdit(QString::number(40 + i), frame);
        field->setGeometry(180 + 260 * (i % 2), 360 + 22 * (i / 2), 60, 19);
    }
    auto* materials = new QGroupBox(frame);
    materials->setGeometry(10, 520, 230, 57);
    for (int i = 0; i < kRadios; ++i) {
        auto* radio = new QRadioButton(materials);
        radio->setGeometry(56, 16 + 16 * i, 17, 13);
        radio->setChecked(i == 0);
    }
    for (int i = 0; i < kButtons; ++i) {
        auto* button = new QPushButton(QStringLiteral("계 산 %1").arg(i), frame);
        button->setObjectName(QStringLiteral("button%1").arg(i));
        button->setGeometry(260 + 130 * (i % 2), 520 + 24 * (i / 2), 120, 22);
    }
    QObject::connect(frame->findChild<QPushButton*>(QStringLiteral("button0")),
                     &QPushButton::clicked, [] { secondaryWindow()->show(); });
    return w;
}

}  // namespace

int main(int argc, char* argv[]) {
    probe::record("t", "main", probe::now());
    ProbeApplication application(argc, argv);

    bool infoShown = false;
    bool infoHidden = false;
    application.onExposed = [&](QWidget* w, int64_t t) {
        if (infoShown || w->objectName() != QLatin1String("info")) return;
        infoShown = true;
        probe::record("t", "info_shown", t);
        probe::record("cpu", "info_shown", probe::cpuTime());
        probe::record("controls", "info", probe::controlCount(w));
    };
    application.onHidden = [&](QWidget* w, int64_t t) {
        if (!infoShown || infoHidden || w->objectName() != QLatin1String("info")) return;
        infoHidden = true;
        probe::record("t", "info_hidden", t);
        probe::record("cpu", "info_hidden", probe::cpuTime());
    };

    QWidget* info = infoWindow();
    info->show();
    QWidget* form = nullptr;
    // A precise timer: Qt lets a coarse one of two seconds run 100 ms late.
    QTimer::singleShot(2000, Qt::PreciseTimer, [&] {
        info->close();
        form = mainWindow();
        form->show();
    });
    const int64_t mainShown = application.waitExposed(QStringLiteral("main"), 0, 10000);
    probe::record("t", "main_shown", mainShown);
    probe::record("controls", "main", probe::controlCount(form));
    probe::settle(500);
    probe::record("rss", "main", probe::residentKb());

    auto* button = form->findChild<QPushButton*>(QStringLiteral("button0"));
    const int64_t clicked = probe::now();
    ProbeApplication::clickWithMouse(button);
    const int64_t shown = application.waitExposed(QStringLiteral("secondary"), clicked, 3000);
    probe::record("open", "secondary", shown < 0 ? -3 : shown - clicked);
    probe::settle(500);
    probe::record("rss", "all", probe::residentKb());
    probe::flush();
    delete form;
    delete info;
    return 0;
}
