// Tab .40: the editor opened from the main window, the tidying of the logo
// text, and command 40.

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "GuiTestSupport.h"
#include "logo/uLogo.h"
#include "ui_tab40.h"
#include "window/uPrincipal.h"

using testsupport::FakeLink;

class LogoTabTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    // Runs `inEditor` on the editor once it is open, modal, on top.
    static void whenEditorOpens(std::function<void(TfrmLogo*)> inEditor) {
        QTimer::singleShot(0, [inEditor] {
            auto* editor = qobject_cast<TfrmLogo*>(QApplication::activeModalWidget());
            QVERIFY(editor);
            QCOMPARE(frmLogo, editor);
            QCOMPARE(editor->windowTitle(), QStringLiteral("Logotipo do Lojista"));
            QVERIFY(editor->parent() == nullptr);
            inEditor(editor);
        });
    }

    static void click(TfrmLogo* editor, Qt::MouseButton button, QPoint at) {
        auto* image = editor->findChild<QLabel*>(QStringLiteral("Image1"));
        QTest::mouseClick(image, button, {}, at);
    }

  private slots:
    void drawnLogoIsAppendedTrimmedAndSent() {
        TfrmPrincipal w;
        w.ui.edCaminho->setText(dir_.path() + "/");
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        FakeLink link(dir_.path() + "/");

        whenEditorOpens([](TfrmLogo* editor) {
            // Column 0: top and bottom dots; column 1: all eight.
            click(editor, Qt::LeftButton, {5, 10});
            click(editor, Qt::LeftButton, {5, 150});
            for (int row = 0; row < 8; ++row) click(editor, Qt::LeftButton, {15, 20 * row + 10});
            editor->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
        });
        QTest::mouseClick(w.t40->BitBtn53, Qt::LeftButton);
        QCOMPARE(w.t40->edFormatoLogo->text(), QStringLiteral("81FF"));
        QVERIFY(frmLogo == nullptr);

        QTest::mouseClick(w.t40->BitBtn52, Qt::LeftButton);
        QCOMPARE(link.lastRequest(), std::string("\x1b.4000481FF}\n"));
        QCOMPARE(w.ui.edRecebido->text(), QStringLiteral(".+OK"));
        QCOMPARE(w.t40->edFormatoLogo->text(), QStringLiteral("81FF"));  // sending keeps it

        // A second strip continues to the right of the first.
        whenEditorOpens([](TfrmLogo* editor) {
            click(editor, Qt::LeftButton, {5, 10});
            editor->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
        });
        QTest::mouseClick(w.t40->BitBtn53, Qt::LeftButton);
        QCOMPARE(w.t40->edFormatoLogo->text(), QStringLiteral("81FF80"));
    }

    void closingTheEditorAppendsNothingButStillTrims() {
        TfrmPrincipal w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        // The last column's only dot is in row 2: it reads "20" like a blank one.
        w.t40->edFormatoLogo->setText(QStringLiteral("81FF2020"));
        whenEditorOpens([](TfrmLogo* editor) { editor->close(); });
        w.BitBtn53Click(w.t40->BitBtn53);
        QCOMPARE(w.t40->edFormatoLogo->text(), QStringLiteral("81FF"));

        // An empty strip accepted with "OK" leaves the text as it was.
        whenEditorOpens([](TfrmLogo* editor) {
            editor->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
        });
        w.BitBtn53Click(w.t40->BitBtn53);
        QCOMPARE(w.t40->edFormatoLogo->text(), QStringLiteral("81FF"));
    }

    void lengthFieldCountsCharacters() {
        TfrmPrincipal w;
        w.ui.edCaminho->setText(dir_.path() + "/");
        FakeLink link(dir_.path() + "/");
        w.t40->BitBtn52->click();
        QCOMPARE(link.lastRequest(), std::string("\x1b.40000}\n"));
        // Long logos built over many openings are not cut by the field.
        const QString logo(1200, QLatin1Char('F'));
        w.t40->edFormatoLogo->setText(logo);
        QCOMPARE(w.t40->edFormatoLogo->text().size(), 1200);
        w.t40->BitBtn52->click();
        QCOMPARE(link.lastRequest(), "\x1b.401200" + std::string(1200, 'F') + "}\n");
    }
};

QTEST_MAIN(LogoTabTest)
#include "tst_logo_tab.moc"
