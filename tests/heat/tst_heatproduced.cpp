#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

#include "TestApp.h"
#include "heat/ReferenceTables.h"
#include "heat/frmHeatProduced.h"
#include "kit/ScrollableClient.h"
#include "kit/Twips.h"

namespace {

struct PictureWindow {
    PictureWindow() {
        form = t.start();
        open();
    }
    frmHeatProduced* open() {
        form->cmdHeatproduced->click();
        window = t.app->loadedWindow<frmHeatProduced>();
        if (!window) qFatal("the heat produced window did not open");
        return window;
    }
    void click(int k) const {
        auto* b = window->findChild<QPushButton*>(QStringLiteral("OptHeatProduced%1").arg(k));
        if (!b) qFatal("no button %d", k);
        b->click();
    }
    // The numbers of the visible pictures, found by their names.
    QList<int> visible() const {
        QList<int> shown;
        for (int k = 1; k <= 6; ++k) {
            auto* image = window->findChild<QLabel*>(QStringLiteral("Image%1").arg(k));
            if (!image) qFatal("no picture %d", k);
            if (image->isVisible()) shown << k;
        }
        return shown;
    }
    int checkedButton() const {
        for (int k = 1; k <= 6; ++k) {
            if (window->findChild<QPushButton*>(QStringLiteral("OptHeatProduced%1").arg(k))
                    ->isChecked())
                return k;
        }
        return 0;
    }

    TestApp t;
    Form1* form = nullptr;
    frmHeatProduced* window = nullptr;
};

// Share of the picture that is not white: a drawn table, not an empty page.
double inkShare(const QImage& image) {
    const QImage img = image.convertToFormat(QImage::Format_RGB32);
    qint64 ink = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if (img.pixel(x, y) != qRgb(255, 255, 255)) ++ink;
        }
    }
    return double(ink) / (double(img.width()) * img.height());
}

QStringList headCells(const ReferenceTable& table) {
    for (const ReferenceBlock& b : table.blocks) {
        if (b.kind == ReferenceBlock::Kind::Grid && !b.rows.isEmpty()) return b.rows.first().cells;
    }
    return {};
}

}  // namespace

class TestHeatProduced : public QObject {
    Q_OBJECT
private slots:
    void openingShowsPictureOne();
    void buttonsSwitchPictures_data();
    void buttonsSwitchPictures();
    void raisingKeepsPicture();
    void reopeningStartsAtPictureOne();
    void picturesAtTheirSizes();
    void lowScreenScrolls();
    void shippedTablesFitTheirPictures();
    void parserJoinsCells();
    void parserReportsMistakes_data();
    void parserReportsMistakes();
    void overfullTableIsReported();
    void missingTableDrawsNotice();
};

void TestHeatProduced::openingShowsPictureOne() {
    PictureWindow w;
    QCOMPARE(w.window->windowTitle(), QStringLiteral("Heat Produced"));
    QCOMPARE(w.visible(), QList<int>{1});
    QCOMPARE(w.checkedButton(), 1);
    for (int k = 1; k <= 6; ++k) {
        auto* b = w.window->findChild<QPushButton*>(QStringLiteral("OptHeatProduced%1").arg(k));
        QCOMPARE(b->text(), QStringLiteral("HeatProduced%1").arg(k));
        QCOMPARE(b->geometry(), twipsRect(120 + 1680 * (k - 1), 240, 1575, 615));
    }
}

void TestHeatProduced::buttonsSwitchPictures_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<int>("shown");
    for (int k = 1; k <= 6; ++k) QTest::addRow("button %d", k) << QList<int>{k} << k;
    QTest::newRow("fourth, then first") << QList<int>{4, 1} << 1;
    QTest::newRow("same button twice") << QList<int>{5, 5} << 5;
    QTest::newRow("six, two, three") << QList<int>{6, 2, 3} << 3;
}

void TestHeatProduced::buttonsSwitchPictures() {
    QFETCH(QList<int>, clicks);
    QFETCH(int, shown);
    PictureWindow w;
    for (int k : clicks) w.click(k);
    QCOMPARE(w.visible(), QList<int>{shown});
    QCOMPARE(w.checkedButton(), shown);
}

void TestHeatProduced::raisingKeepsPicture() {
    PictureWindow w;
    frmHeatProduced* first = w.window;
    w.click(3);
    QCOMPARE(w.open(), first);
    QCOMPARE(w.visible(), QList<int>{3});
}

void TestHeatProduced::reopeningStartsAtPictureOne() {
    PictureWindow w;
    w.click(4);
    w.window->close();
    processDeferredDeletes();
    QVERIFY(!w.t.app->loadedWindow<frmHeatProduced>());
    w.open();
    QCOMPARE(w.visible(), QList<int>{1});
    QCOMPARE(w.checkedButton(), 1);
}

void TestHeatProduced::picturesAtTheirSizes() {
    PictureWindow w;
    const QList<QSize> sizes = {{568, 869}, {567, 857}, {566, 827},
                                {566, 827}, {566, 827}, {567, 857}};
    for (int k = 1; k <= 6; ++k) {
        w.click(k);
        auto* image = w.window->findChild<QLabel*>(QStringLiteral("Image%1").arg(k));
        QCOMPARE(image->geometry(), QRect(QPoint(48, 80), sizes[k - 1]));
        QCOMPARE(image->pixmap().deviceIndependentSize().toSize(), sizes[k - 1]);
        QVERIFY(inkShare(image->pixmap().toImage()) > 0.02);
    }
    QCOMPARE(w.window->Image[0]->parentWidget()->size(), twipsSize(10185, 14415));
}

// The window is 961 pixels high; the 800 pixel test screen shows it whole in
// width and lets the pictures scroll.
void TestHeatProduced::lowScreenScrolls() {
    PictureWindow w;
    const QRect available = w.window->screen()->availableGeometry();
    QVERIFY(available.height() < 961);
    QVERIFY(w.window->height() <= available.height());
    QScrollArea* area = clientScrollArea(w.window);
    QVERIFY(area);
    QVERIFY(area->verticalScrollBar()->maximum() >= 961 - area->viewport()->height());
    QCOMPARE(area->horizontalScrollBar()->maximum(), 0);
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
    QLabel* image = w.window->Image[0];
    const QPoint bottom = image->mapTo(area->viewport(), QPoint(0, image->height() - 1));
    QVERIFY(area->viewport()->rect().contains(bottom));
}

// Every shipped table has the three columns, fits its picture without a cut
// word or a lost row, and the file holds no line the program cannot read.
void TestHeatProduced::shippedTablesFitTheirPictures() {
    const ReferenceTableSet set = loadReferenceTables();
    QCOMPARE(set.problems, QStringList());
    QCOMPARE(set.tables.size(), 6);
    for (int k = 1; k <= 6; ++k) {
        const ReferenceTable* table = set.table(k);
        QVERIFY(table);
        const QStringList head = headCells(*table);
        QVERIFY(head.size() >= 3);
        QCOMPARE(head.first(), QStringLiteral("Device inside a control panel"));
        QCOMPARE(head[1], QStringLiteral("Heat generation (referential value)"));
        QCOMPARE(head.last(), QStringLiteral("Remark"));
        for (qreal ratio : {1.0, 2.0}) {
            const ReferencePicture picture =
                drawReferenceTable(*table, frmHeatProduced::pictureSize(k), ratio);
            QVERIFY2(picture.problems.isEmpty(),
                     qPrintable(picture.problems.join(QStringLiteral("; "))));
            QCOMPARE(picture.image.size(), frmHeatProduced::pictureSize(k) * ratio);
        }
    }
}

void TestHeatProduced::parserJoinsCells() {
    const ReferenceTableSet set =
        parseReferenceTables(QStringLiteral("# a comment\n"
                                            "table 2\n"
                                            "font 12\n"
                                            "title Table 2  Amplifiers\n"
                                            "grid 40L 15c 15C 30r\n"
                                            "head Device | Heat | < | Remark\n"
                                            "head ^ | 50 Hz | 60 Hz | ^\n"
                                            "group Thyristors\n"
                                            "row 25 A | 30 W | < \n"
                                            "row Two\\nlines | 1 | 2 | 3\n"));
    QCOMPARE(set.problems, QStringList());
    QCOMPARE(set.tables.size(), 1);
    const ReferenceTable& t = set.tables.first();
    QCOMPARE(t.number, 2);
    QCOMPARE(t.fontPixels, 12);
    QCOMPARE(t.blocks.size(), 2);
    QCOMPARE(t.blocks[0].text, QStringLiteral("Table 2  Amplifiers"));
    const ReferenceBlock& grid = t.blocks[1];
    QCOMPARE(grid.columns.size(), 4);
    QCOMPARE(grid.columns[1].alignment, Qt::AlignHCenter);
    QCOMPARE(grid.columns[3].alignment, Qt::AlignRight);
    QCOMPARE(grid.columns[0].weight, 40);
    QCOMPARE(grid.rows.size(), 5);
    QCOMPARE(grid.rows[1].cells, (QStringList{"^", "50 Hz", "60 Hz", "^"}));
    QCOMPARE(grid.rows[2].kind, ReferenceRow::Kind::Group);
    QCOMPARE(grid.rows[3].cells, (QStringList{"25 A", "30 W", "<"}));
    QCOMPARE(grid.rows[4].cells.first(), QStringLiteral("Two\nlines"));
    QCOMPARE(drawReferenceTable(t, QSize(400, 300)).problems, QStringList());
}

void TestHeatProduced::parserReportsMistakes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("problem");
    QTest::newRow("before a table") << "title T\ntable 1"
                                    << "line 1: \"title\" before the first table";
    QTest::newRow("unknown directive") << "table 1\ncolumns 3"
                                       << "line 2: unknown directive \"columns\"";
    QTest::newRow("table without number") << "table one"
                                          << "line 1: table needs a number";
    QTest::newRow("table twice") << "table 1\ntable 1"
                                 << "line 2: table 1 given twice";
    QTest::newRow("row outside a grid") << "table 1\nrow a | b"
                                        << "line 2: \"row\" outside a grid";
    QTest::newRow("too many cells") << "table 1\ngrid 1 1\nrow a | b | c"
                                    << "line 3: 3 cells for 2 columns";
    QTest::newRow("bad column") << "table 1\ngrid 10 10X"
                                << "line 2: grid column \"10X\" is not a width with L, C or R";
    QTest::newRow("bad font") << "table 1\nfont huge"
                              << "line 2: font needs a size in pixels from 6 to 40";
    QTest::newRow("join left in first column") << "table 1\ngrid 1 1\nrow < | b"
                                               << "line 3: \"<\" in the first column";
    QTest::newRow("join up in first row") << "table 1\ngrid 1 1\nhead a | ^"
                                          << "line 3: \"^\" in the first row of a grid";
}

void TestHeatProduced::parserReportsMistakes() {
    QFETCH(QString, text);
    QFETCH(QString, problem);
    const ReferenceTableSet set = parseReferenceTables(text);
    QCOMPARE(set.problems, QStringList{problem});
    for (const ReferenceTable& t : set.tables)
        drawReferenceTable(t, QSize(200, 200));  // and no crash
}

void TestHeatProduced::overfullTableIsReported() {
    QString text = QStringLiteral("table 1\ngrid 1 1\n");
    for (int i = 0; i < 40; ++i) text += QStringLiteral("row Device %1 | %1 W\n").arg(i);
    text += QStringLiteral("row Supercalifragilisticexpialidocious | 1 W\n");
    const ReferenceTableSet set = parseReferenceTables(text);
    QCOMPARE(set.problems, QStringList());
    const ReferencePicture picture = drawReferenceTable(set.tables.first(), QSize(200, 300));
    QCOMPARE(picture.problems.size(), 2);
    QVERIFY(picture.problems[0].contains(QStringLiteral("Supercalifragilisticexpialidocious")));
    QVERIFY(picture.problems[1].contains(QStringLiteral("too tall")));
}

void TestHeatProduced::missingTableDrawsNotice() {
    const ReferenceTableSet set = parseReferenceTables(QStringLiteral("table 1\ntitle One"));
    const ReferencePicture picture = drawReferencePicture(set, 5, QSize(300, 400));
    QCOMPARE(picture.image.size(), QSize(300, 400));
    QCOMPARE(picture.problems, QStringList{QStringLiteral("table 5 is missing")});
    QVERIFY(inkShare(picture.image) > 0.001);
}

QTEST_MAIN(TestHeatProduced)
#include "tst_heatproduced.moc"
