// Tabs .30, .31 and .33 to .36 through the real widgets: what reaches eq.MSG,
// the reply shown, the fields' rules, the line branch of .30 and the password
// field that follows its box.

#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QtTest>

#include "SaleTabDriver.h"
#include "TestText.h"
#include "ui_tab30.h"
#include "ui_tab31.h"
#include "ui_tab33.h"
#include "ui_tab34.h"
#include "ui_tab35.h"
#include "ui_tab36.h"

using testsupport::frame;
using testsupport::SaleTabDriver;
using testsupport::spaces;

class TestPrinterSetupTabs : public testsupport::TabTestCase {
    Q_OBJECT

  private slots:
    void printingOptionsOnEachLine() {
        auto& t = *d->w().t30;
        d->showTab(".30");
        SaleTabDriver::type(t.edECF, "1a");  // the letter is dropped
        SaleTabDriver::toggle(t.cbCentavos);
        SaleTabDriver::toggle(t.cbCifrao);
        SaleTabDriver::type(t.edCifrao, "R$");
        SaleTabDriver::type(t.edIntervalo, "10");
        SaleTabDriver::toggle(t.rgISSItem1);  // "Não"
        SaleTabDriver::click(t.BitBtn28);
        QCOMPARE(t.edECF->text(), QString("001"));
        QCOMPARE(t.edIntervalo->text(), QString("0010"));
        QCOMPARE(d->lastSent(), frame("30S001SN   R$0010SN"));
        QCOMPARE(d->reply(), QString(".+30"));

        d->chooseLine(1);
        SaleTabDriver::toggle(t.cbTitulo);
        SaleTabDriver::toggle(t.cbCentavos);
        SaleTabDriver::toggle(t.rgIOFItem1);
        SaleTabDriver::type(t.edCifrao, "");
        SaleTabDriver::click(t.BitBtn28);
        QCOMPARE(d->lastSent(), frame("30N001SS     0010NN"));

        // Line RX has no form of the command: nothing moves.
        d->chooseLine(2);
        d->w().ui.edRecebido->setText("antes");
        const QString sentShown = d->w().ui.edEnviado->text();
        SaleTabDriver::click(t.BitBtn28);
        QCOMPARE(d->sentCount(), std::size_t(2));
        QCOMPARE(d->reply(), QString("antes"));
        QCOMPARE(d->w().ui.edEnviado->text(), sentShown);
    }

    // Typed in focus order with Tab, so each attribute is rewritten on leaving.
    void clicheInFocusOrder() {
        auto& t = *d->w().t31;
        d->showTab(".31");
        SaleTabDriver::type(t.edSalto, "2");
        const QStringList expected{"cbClicheSegundo", "edClicheAtrib1", "edCliche1",
                                   "edClicheAtrib2",  "edCliche2",      "edClicheAtrib3",
                                   "edCliche3",       "edClicheAtrib4", "edCliche4",
                                   "edClicheAtrib5",  "edCliche5",      "BitBtn29"};
        const QStringList keys{" ", "1", "LOJA EXEMPLO", "x", "", "3", "", "", "", "", "FIM"};
        QStringList order;
        for (int i = 0; i < expected.size(); ++i) {
            SaleTabDriver::tab();
            order << SaleTabDriver::focused();
            if (i < keys.size()) QTest::keyClicks(QApplication::focusWidget(), keys[i]);
        }
        QCOMPARE(order, expected);
        QVERIFY(t.cbClicheSegundo->isChecked());
        QCOMPARE(t.edClicheAtrib2->text(), QString("0"));
        QCOMPARE(t.edClicheAtrib5->text(), QString("0"));
        QTest::keyClick(t.BitBtn29, Qt::Key_Space);
        const std::string rows = "1LOJA EXEMPLO" + spaces(28) + "0" + spaces(40) + "3" +
                                 spaces(40) + "0" + spaces(40) + "0FIM" + spaces(37);
        QCOMPARE(d->lastSent(), frame("31S2S" + rows));
        QCOMPARE(d->reply(), QString(".+31"));

        d->chooseLine(2);  // the same on every line
        SaleTabDriver::type(t.edSalto, "");
        SaleTabDriver::click(t.BitBtn29);
        QCOMPARE(t.edSalto->text(), QString("0"));
        QCOMPARE(d->lastSent(), frame("31S0S" + rows));
    }

    void taxRatesAppliedClearedAndSent() {
        auto& t = *d->w().t33;
        d->showTab(".33");
        SaleTabDriver::type(t.edTaxaIdent, "t1");
        QCOMPARE(t.edTaxaIdent->text(), QString("T1"));
        SaleTabDriver::type(t.edAliquota, "18.");
        SaleTabDriver::click(t.BitBtn30);
        QCOMPARE(t.edAliquota->text(), QString("18,00"));

        // Pasted letters become upper case as well.
        QGuiApplication::clipboard()->setText("s01");
        QTest::mouseClick(t.edTaxaIdent, Qt::LeftButton);
        t.edTaxaIdent->selectAll();
        QTest::keyClick(t.edTaxaIdent, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(t.edTaxaIdent->text(), QString("S01"));
        SaleTabDriver::type(t.edAliquota, "5");
        SaleTabDriver::click(t.BitBtn30);
        SaleTabDriver::click(t.BitBtn30);  // the fields stay: the same entry again
        QCOMPARE(t.edFormatoAliquota->text(), QString("T1 1800S010500S010500"));
        QCOMPARE(d->sentCount(), std::size_t(0));

        SaleTabDriver::click(t.BitBtn32);
        QCOMPARE(d->lastSent(), frame("33T1 1800S010500S010500"));
        QCOMPARE(d->reply(), QString(".+33"));
        QCOMPARE(t.edFormatoAliquota->text(), QString("T1 1800S010500S010500"));

        SaleTabDriver::click(t.BitBtn31);
        QCOMPARE(t.edFormatoAliquota->text(), QString());
        SaleTabDriver::click(t.BitBtn32);
        QCOMPARE(d->lastSent(), frame("33"));

        // The list is not cut at any length.
        t.edFormatoAliquota->setText(QString(40000, 'X'));
        SaleTabDriver::click(t.BitBtn30);
        QCOMPARE(t.edFormatoAliquota->text().size(), 40007);
        QCOMPARE(t.edFormatoAliquota->text().right(7), QString("S010500"));
    }

    void registrationWithAndWithoutPassword() {
        auto& t = *d->w().t34;
        d->showTab(".34");
        QVERIFY(!t.edSenha->isVisible());
        SaleTabDriver::type(t.edCadCNPJ, "12.345.678/0001-90");
        SaleTabDriver::type(t.edCadIE, "123.456.789.012");
        SaleTabDriver::type(t.edCadIM, "1234567");
        const std::string numbers = "12.345.678/0001-90    123.456.789.012      1234567         ";
        SaleTabDriver::click(t.BitBtn33);
        QCOMPARE(d->lastSent(), frame("34" + numbers));
        QCOMPARE(d->reply(), QString(".+34"));

        const QPoint buttonAt = t.BitBtn33->pos();
        SaleTabDriver::toggle(t.cbSenha);
        QVERIFY(t.edSenha->isVisible());
        QCOMPARE(t.BitBtn33->pos(), buttonAt);
        SaleTabDriver::click(t.BitBtn33);
        QCOMPARE(d->lastSent(), frame("34" + numbers + spaces(40)));
        SaleTabDriver::type(t.edSenha, "SEGREDO");
        SaleTabDriver::click(t.BitBtn33);
        QCOMPARE(d->lastSent(), frame("34" + numbers + "SEGREDO" + spaces(33)));

        // The space bar clicks the box too; the hidden password stays but is not sent.
        t.cbSenha->setFocus(Qt::TabFocusReason);
        QTest::keyClick(t.cbSenha, Qt::Key_Space);
        QVERIFY(!t.edSenha->isVisible());
        QCOMPARE(t.edSenha->text(), QString("SEGREDO"));
        SaleTabDriver::click(t.BitBtn33);
        QCOMPARE(d->lastSent(), frame("34" + numbers));
    }

    void dateAndTimeTimeFirst() {
        auto& t = *d->w().t35;
        d->showTab(".35");
        SaleTabDriver::click(t.BitBtn34);
        QCOMPARE(d->lastSent(), frame("35"));
        QCOMPARE(d->reply(), QString(".+35"));
        SaleTabDriver::type(t.mskAcertaHora, "134500");
        SaleTabDriver::click(t.BitBtn34);
        QCOMPARE(d->lastSent(), frame("35134500"));
        SaleTabDriver::type(t.mskAcertaData, "06a1226");  // only digits reach a position
        QCOMPARE(t.mskAcertaData->text(), QString("06/12/26"));
        SaleTabDriver::click(t.BitBtn34);
        QCOMPARE(d->lastSent(), frame("35134500061226"));
    }

    void summerTimeFlag() {
        auto& t = *d->w().t36;
        d->showTab(".36");
        SaleTabDriver::click(t.BitBtn35);
        QCOMPARE(d->lastSent(), frame("36N"));
        QCOMPARE(d->reply(), QString(".+36"));
        SaleTabDriver::toggle(t.cbHoraVerao);
        SaleTabDriver::click(t.BitBtn35);
        QCOMPARE(d->lastSent(), frame("36S"));
    }
};

QTEST_MAIN(TestPrinterSetupTabs)
#include "tst_printer_setup_tabs.moc"
