// Logo editor window: drawing with real mouse events, grid, preview and "OK".

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "GuiTestSupport.h"
#include "logo/LogoCommands.h"
#include "logo/uLogo.h"

namespace {

const QColor kNavy(0, 0, 128);
const QColor kSilver(192, 192, 192);
const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);

QColor pixel(const QImage& image, int x, int y) {
    return QColor(image.pixel(x, y));
}

QString blanks(int columns) {
    return QString("20").repeated(columns);
}

// Every pixel of preview cell (column, row) has the given colour, or none
// has it when expected is false.
bool previewCellIs(const QImage& preview, int column, int row, const QColor& color) {
    for (int x = 2 * column; x < 2 * column + 2; ++x)
        for (int y = 4 * row; y < 4 * row + 4; ++y)
            if (pixel(preview, x, y) != color) return false;
    return true;
}

// The editor with its target field, driven through Image1.
struct Editor {
    QLineEdit field;
    TfrmLogo dialog{&field};

    QLabel* image1() const { return dialog.findChild<QLabel*>("Image1"); }
    QPushButton* button(const char* name) const { return dialog.findChild<QPushButton*>(name); }
    std::uint8_t column(int c) const { return dialog.logoColunas()[c]; }

    void press(Qt::MouseButton button, QPoint at) { QTest::mousePress(image1(), button, {}, at); }
    void release(Qt::MouseButton button, QPoint at) {
        QTest::mouseRelease(image1(), button, {}, at);
    }
    void moveHeld(Qt::MouseButton button, QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, image1()->mapToGlobal(at), Qt::NoButton, button,
                         Qt::NoModifier);
        QApplication::sendEvent(image1(), &move);
    }
    void click(Qt::MouseButton button, QPoint at) {
        press(button, at);
        release(button, at);
    }
    // Press at from, move in steps to to, release there.
    void drag(Qt::MouseButton button, QPoint from, QPoint to, int steps) {
        press(button, from);
        for (int i = 1; i <= steps; ++i) moveHeld(button, from + (to - from) * i / steps);
        release(button, to);
    }
};

// Runs editLogo on field, doing action on the modal editor once it is up.
void runEditor(QLineEdit& field, std::function<void(TfrmLogo&)> action) {
    QTimer::singleShot(0, [action] {
        auto* editor = qobject_cast<TfrmLogo*>(QApplication::activeModalWidget());
        QVERIFY(editor);
        action(*editor);
    });
    editLogo(&field, nullptr);
}

void clickOn(TfrmLogo& editor, QPoint at) {
    auto* image = editor.findChild<QLabel*>("Image1");
    QTest::mouseClick(image, Qt::LeftButton, {}, at);
}

}  // namespace

class TestLogoEditor : public QObject {
    Q_OBJECT

  private slots:
    void clickDrawsOneDot();
    void dragAlongRowSetsEveryCellEntered();
    void otherButtonsClear();
    void dragPastRightEdgeReachesHiddenColumns();
    void positionsOutsideTheStripAreIgnored();
    void gridToggleAndClear();
    void okAppendsHexDigits();
    void editLogoTrimsTrailingBlanks();
    void activationKeepsDrawingButReopeningClears();
};

void TestLogoEditor::clickDrawsOneDot() {
    Editor e;
    // Mouse positions are bitmap pixels only if the image shows it unscaled.
    QCOMPARE(e.image1()->size(), e.dialog.bitmap1().size());
    QCOMPARE(e.dialog.bitmap1().size(), QSize(600, 160));
    QCOMPARE(e.dialog.bitmap2().size(), QSize(200, 32));
    e.click(Qt::LeftButton, {25, 45});  // column 2, row 2
    QCOMPARE(e.column(2), std::uint8_t{0x20});
    for (int c = 0; c < cuponex::kLogoColumns; ++c)
        if (c != 2) QCOMPARE(e.column(c), std::uint8_t{0});

    // Navy ellipse with a black outline inside x 21..28, y 41..56.
    const QImage& area = e.dialog.bitmap1();
    QCOMPARE(pixel(area, 25, 49), kNavy);
    QCOMPARE(pixel(area, 21, 49), kBlack);
    QCOMPARE(pixel(area, 28, 49), kBlack);
    QCOMPARE(pixel(area, 21, 41), kWhite);  // corner outside the ellipse
    QCOMPARE(pixel(area, 25, 58), kWhite);  // below the dot
    QCOMPARE(pixel(area, 20, 49), kWhite);  // cell border untouched
    QCOMPARE(pixel(area, 35, 49), kWhite);  // neighbour cell

    const QImage& preview = e.dialog.bitmap2();
    QVERIFY(!previewCellIs(preview, 2, 2, kWhite));
    QVERIFY(previewCellIs(preview, 2, 2, kBlack));
    QVERIFY(previewCellIs(preview, 3, 2, kWhite));
    QVERIFY(previewCellIs(preview, 2, 1, kWhite));
}

void TestLogoEditor::dragAlongRowSetsEveryCellEntered() {
    Editor e;
    e.drag(Qt::LeftButton, {5, 150}, {95, 150}, 30);  // row 7, columns 0..9
    for (int c = 0; c < 10; ++c) QCOMPARE(e.column(c), std::uint8_t{0x01});
    QCOMPARE(e.column(10), std::uint8_t{0});

    // Without a held button moves draw nothing.
    e.moveHeld(Qt::NoButton, {300, 10});
    QCOMPARE(e.column(30), std::uint8_t{0});

    // A stroke may leave and re-enter the area vertically.
    e.drag(Qt::LeftButton, {205, 5}, {205, 200}, 20);
    QCOMPARE(e.column(20), std::uint8_t{0xFF});
}

void TestLogoEditor::otherButtonsClear() {
    Editor e;
    e.click(Qt::LeftButton, {35, 25});  // column 3, row 1
    e.click(Qt::LeftButton, {35, 5});   // column 3, row 0
    QCOMPARE(e.column(3), std::uint8_t{0xC0});

    e.click(Qt::RightButton, {35, 25});
    QCOMPARE(e.column(3), std::uint8_t{0x80});
    QCOMPARE(pixel(e.dialog.bitmap1(), 35, 29), kWhite);
    QCOMPARE(pixel(e.dialog.bitmap1(), 31, 29), kWhite);
    QVERIFY(previewCellIs(e.dialog.bitmap2(), 3, 1, kWhite));
    QCOMPARE(pixel(e.dialog.bitmap1(), 35, 9), kNavy);  // the other dot stays

    // Clearing an empty cell changes no byte and keeps the grid lines.
    e.button("BitBtn1")->click();
    e.click(Qt::MiddleButton, {55, 65});
    QCOMPARE(e.column(5), std::uint8_t{0});
    QCOMPARE(pixel(e.dialog.bitmap1(), 50, 65), kSilver);
    QCOMPARE(pixel(e.dialog.bitmap1(), 55, 60), kSilver);

    // A right-button drag clears a row.
    e.drag(Qt::LeftButton, {5, 5}, {95, 5}, 10);
    e.drag(Qt::RightButton, {25, 5}, {65, 5}, 10);
    for (int c = 0; c < 10; ++c) QCOMPARE(e.column(c), std::uint8_t((c >= 2 && c <= 6) ? 0 : 0x80));
}

void TestLogoEditor::dragPastRightEdgeReachesHiddenColumns() {
    Editor e;
    e.drag(Qt::LeftButton, {585, 70}, {1100, 70}, 103);  // row 3, five pixels a step
    for (int c = 0; c < cuponex::kLogoColumns; ++c)
        QCOMPARE(e.column(c), std::uint8_t(c >= 58 ? 0x10 : 0));
    for (int c = 58; c < cuponex::kLogoColumns; ++c)
        QVERIFY(previewCellIs(e.dialog.bitmap2(), c, 3, kBlack));
    QCOMPARE(pixel(e.dialog.bitmap1(), 595, 69), kNavy);  // column 59 is the last shown
    QCOMPARE(pixel(e.dialog.bitmap1(), 575, 69), kWhite);

    e.button("BitBtn2")->click();
    QCOMPARE(e.field.text(), blanks(58) + QString("10").repeated(42));
}

void TestLogoEditor::positionsOutsideTheStripAreIgnored() {
    Editor e;
    const QImage blank = e.dialog.bitmap1();
    e.click(Qt::LeftButton, {-15, 30});  // a whole cell left of the area
    e.click(Qt::LeftButton, {30, 165});  // below row 7
    e.click(Qt::LeftButton, {1005, 30});
    e.click(Qt::LeftButton, {30, -25});
    for (int c = 0; c < cuponex::kLogoColumns; ++c) QCOMPARE(e.column(c), std::uint8_t{0});
    QCOMPARE(e.dialog.bitmap1(), blank);

    // Less than a cell outside still counts as column 0 / row 0.
    e.click(Qt::LeftButton, {-5, -5});
    QCOMPARE(e.column(0), std::uint8_t{0x80});

    // A stroke begun outside draws once it comes in.
    e.press(Qt::LeftButton, {-15, 30});
    e.moveHeld(Qt::LeftButton, {15, 30});
    e.release(Qt::LeftButton, {15, 30});
    QCOMPARE(e.column(1), std::uint8_t{0x40});
}

void TestLogoEditor::gridToggleAndClear() {
    Editor e;
    QPushButton* grid = e.button("BitBtn1");
    const QImage& area = e.dialog.bitmap1();
    QTest::mouseClick(grid, Qt::LeftButton);
    QCOMPARE(grid->text(), QString("Sem Grade"));
    QCOMPARE(pixel(area, 10, 5), kSilver);
    QCOMPARE(pixel(area, 590, 159), kSilver);
    QCOMPARE(pixel(area, 0, 20), kSilver);
    QCOMPARE(pixel(area, 599, 140), kSilver);
    QCOMPARE(pixel(area, 5, 5), kWhite);
    QCOMPARE(pixel(area, 0, 0), kWhite);  // no line at x = 0 or y = 0
    QCOMPARE(pixel(area, 5, 150), kWhite);

    // Dots leave the lines around their cell alone.
    e.click(Qt::LeftButton, {15, 30});
    QCOMPARE(pixel(area, 10, 30), kSilver);
    QCOMPARE(pixel(area, 20, 30), kSilver);
    QCOMPARE(pixel(area, 15, 20), kSilver);
    QCOMPARE(pixel(area, 15, 40), kSilver);

    QTest::mouseClick(grid, Qt::LeftButton);
    QCOMPARE(grid->text(), QString("Grade"));
    QCOMPARE(pixel(area, 10, 5), kWhite);
    QCOMPARE(pixel(area, 15, 30), kNavy);

    // Clearing while the grid shows wipes it but keeps the caption.
    QTest::mouseClick(grid, Qt::LeftButton);
    QTest::mouseClick(e.button("Limpar"), Qt::LeftButton);
    QCOMPARE(grid->text(), QString("Sem Grade"));
    QCOMPARE(pixel(area, 10, 5), kWhite);
    QCOMPARE(pixel(area, 15, 30), kWhite);
    QVERIFY(previewCellIs(e.dialog.bitmap2(), 1, 1, kWhite));
    QCOMPARE(e.column(1), std::uint8_t{0});
    QTest::mouseClick(grid, Qt::LeftButton);
    QCOMPARE(grid->text(), QString("Grade"));
    QCOMPARE(pixel(area, 10, 5), kWhite);
}

void TestLogoEditor::okAppendsHexDigits() {
    Editor e;
    e.field.setText("AB");
    e.dialog.show();
    QTest::mouseClick(e.button("BitBtn2"), Qt::LeftButton);
    QCOMPARE(e.field.text(), "AB" + blanks(100));
    QCOMPARE(e.dialog.result(), int(QDialog::Accepted));
    QVERIFY(!e.dialog.isVisible());

    // Column 0 rows 0 and 7, column 1 all dots.
    Editor w;
    w.click(Qt::LeftButton, {5, 5});
    w.click(Qt::LeftButton, {5, 155});
    w.drag(Qt::LeftButton, {15, 5}, {15, 155}, 15);
    QTest::mouseClick(w.button("BitBtn2"), Qt::LeftButton);
    QCOMPARE(w.field.text(), "81FF" + blanks(98));
}

void TestLogoEditor::editLogoTrimsTrailingBlanks() {
    QLineEdit field;
    runEditor(field, [](TfrmLogo& editor) {
        clickOn(editor, {5, 5});
        clickOn(editor, {5, 155});
        for (int y = 5; y < 160; y += 20) clickOn(editor, {15, y});
        editor.findChild<QPushButton*>("BitBtn2")->click();
    });
    QCOMPARE(field.text(), QString("81FF"));
    QCOMPARE(cuponex::logoCommand(field.text().toStdString()), std::string("4000481FF"));

    // A new opening starts empty: OK adds only blanks, which are trimmed.
    runEditor(field, [](TfrmLogo& editor) {
        QCOMPARE(editor.logoColunas(), cuponex::LogoStrip{});
        editor.findChild<QPushButton*>("BitBtn2")->click();
    });
    QCOMPARE(field.text(), QString("81FF"));

    // A last column whose only dot is in row 2 reads "20" and goes too.
    runEditor(field, [](TfrmLogo& editor) {
        clickOn(editor, {5, 5});    // "80"
        clickOn(editor, {15, 45});  // "20"
        editor.findChild<QPushButton*>("BitBtn2")->click();
    });
    QCOMPARE(field.text(), QString("81FF80"));

    // The close box appends nothing but the text is still trimmed.
    field.setText("A12020");
    runEditor(field, [](TfrmLogo& editor) {
        clickOn(editor, {5, 5});
        editor.close();
    });
    QCOMPARE(field.text(), QString("A1"));
}

void TestLogoEditor::activationKeepsDrawingButReopeningClears() {
    Editor e;
    e.dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e.dialog));
    e.dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&e.dialog));
    e.click(Qt::LeftButton, {45, 85});  // column 4, row 4

    QWidget other;
    other.resize(100, 100);
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    e.dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&e.dialog));
    QCOMPARE(e.column(4), std::uint8_t{0x08});
    QCOMPARE(pixel(e.dialog.bitmap1(), 45, 89), kNavy);

    e.dialog.hide();
    e.dialog.show();
    QCOMPARE(e.column(4), std::uint8_t{0});
    QCOMPARE(pixel(e.dialog.bitmap1(), 45, 89), kWhite);
}

QTEST_MAIN(TestLogoEditor)
#include "tst_logo_editor.moc"
