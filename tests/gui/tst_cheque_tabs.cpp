// Tabs .44 to .46, .48, .49 and .51 through the real widgets: what reaches
// eq.MSG, the reply shown, the entry rules of the fields and the line
// branches.

#include <QCheckBox>
#include <QGroupBox>
#include <QtTest>

#include "SaleTabDriver.h"
#include "TestText.h"
#include "ui_tab44.h"
#include "ui_tab45.h"
#include "ui_tab46.h"
#include "ui_tab48.h"
#include "ui_tab49.h"
#include "ui_tab51.h"

using testsupport::frame;
using testsupport::SaleTabDriver;
using testsupport::spaces;

class TestChequeTabs : public testsupport::TabTestCase {
    Q_OBJECT

    QString sent() { return d->w().ui.edEnviado->text(); }
    // A click that must send nothing and empty both exchange fields.
    void expectNothingSent(QAbstractButton* button) {
        d->w().ui.edEnviado->setText("antes");
        d->w().ui.edRecebido->setText("antes");
        const std::size_t count = d->sentCount();
        SaleTabDriver::click(button);
        QCOMPARE(d->sentCount(), count);
        QCOMPARE(sent(), QString());
        QCOMPARE(d->reply(), QString());
    }

  private slots:
    void namesGoInTheirOrder() {
        auto& t = *d->w().t44;
        d->showTab(".44");
        SaleTabDriver::type(t.edFavorecido, "FULANO");
        SaleTabDriver::type(t.edMunicipio, QString::fromUtf8("SÃO PAULO"));
        SaleTabDriver::type(t.edMoeda, "REAL");
        SaleTabDriver::type(t.edMoedas, "REAIS");
        SaleTabDriver::click(t.BitBtn45);
        QCOMPARE(d->lastSent(), frame("44FULANO" + spaces(74) + "S\xC3O PAULO" + spaces(21) +
                                      "REAL" + spaces(16) + "REAIS" + spaces(15)));
        QCOMPARE(d->reply(), QString(".+44"));
    }

    // Typed along the focus order, so each field's exit rule rewrites it.
    void layoutGridInFocusOrder() {
        auto& t = *d->w().t45;
        d->showTab(".45");
        SaleTabDriver::type(t.edBancoCheque, "1x");
        // Line, half line, column of each row, then the date columns.
        const QStringList keys{"1", "",  "50", "3", " ",  "5",  "4",  "",   "1x", "5",
                               "",  "8", "7",  " ", "30", "45", "50", "62", ""};
        const QStringList expected{
            "edLValor",      "cbMValor",      "edCValor",     "edExtenso1",   "cbMlinha1",
            "edCextenso1",   "edExtenso2",    "cbMLinha2",    "edCextenso2",  "edLfavorecido",
            "cbMFavorecido", "edCfavorecido", "edLmunicipio", "cbMMunicipio", "edCmunicipio",
            "edCDia",        "edCmes",        "edCano",       "BitBtn46"};
        QStringList order;
        for (const QString& k : keys) {
            SaleTabDriver::tab();
            order << SaleTabDriver::focused();
            if (!k.isEmpty()) QTest::keyClicks(QApplication::focusWidget(), k);
        }
        QCOMPARE(order, expected);
        QCOMPARE(t.edBancoCheque->text(), QString("001"));
        QCOMPARE(t.edCextenso1->text(), QString("05"));
        QVERIFY(t.cbMlinha1->isChecked());
        SaleTabDriver::click(t.BitBtn46);
        QCOMPARE(d->lastSent(), frame("450011N503S054N015N087S30455062"));
        QCOMPARE(d->reply(), QString(".+45"));
    }

    void bankOptionNumberAsTyped() {
        auto& t = *d->w().t46;
        d->showTab(".46");
        SaleTabDriver::click(t.BitBtn47);
        QCOMPARE(d->lastSent(), frame("46N"));  // never entered
        SaleTabDriver::toggle(t.cbBanco);
        SaleTabDriver::type(t.ednumero, "2a7");
        SaleTabDriver::click(t.BitBtn47);
        QCOMPARE(t.ednumero->text(), QString("027"));
        QCOMPARE(d->lastSent(), frame("46S027"));
        QCOMPARE(d->reply(), QString(".+46"));
    }

    void clearTableOnlyWithAChoiceOffLine4100() {
        auto& t = *d->w().t48;
        const auto items = t.rgLimpaTabCheq->findChildren<QRadioButton*>();
        d->showTab(".48");
        QVERIFY(t.Label107->isVisible());
        QVERIFY(!t.rgLimpaTabCheq->isVisible());
        QVERIFY(t.BitBtn58->isVisible());
        expectNothingSent(t.BitBtn58);

        d->chooseLine(1);
        QVERIFY(!t.Label107->isVisible());
        expectNothingSent(t.BitBtn58);  // nothing chosen at start
        SaleTabDriver::toggle(items.at(2));
        SaleTabDriver::click(t.BitBtn58);
        QCOMPARE(d->lastSent(), frame("48P"));
        QCOMPARE(d->reply(), QString(".+48"));
        SaleTabDriver::toggle(items.at(0));
        SaleTabDriver::click(t.BitBtn58);
        QCOMPARE(d->lastSent(), frame("48S"));

        d->chooseLine(0);  // the choice stays, hidden
        expectNothingSent(t.BitBtn58);
    }

    void readCmc7OnlyWithAChoiceOffLine4100() {
        auto& t = *d->w().t49;
        const auto items = t.rgLeituraCmc7->findChildren<QRadioButton*>();
        d->showTab(".49");
        QVERIFY(t.Label108->isVisible());
        QVERIFY(t.BitBtn59->isVisible());
        expectNothingSent(t.BitBtn59);

        d->chooseLine(2);
        QVERIFY(t.rgLeituraCmc7->isVisible());
        expectNothingSent(t.BitBtn59);
        SaleTabDriver::toggle(items.at(3));
        SaleTabDriver::click(t.BitBtn59);
        QCOMPARE(d->lastSent(), frame("493"));
        QCOMPARE(d->reply(), QString(".+49"));
        SaleTabDriver::toggle(items.at(1));
        SaleTabDriver::click(t.BitBtn59);
        QCOMPARE(d->lastSent(), frame("491"));

        d->chooseLine(0);
        expectNothingSent(t.BitBtn59);
    }

    void chequeWithCmc7Reading() {
        auto& t = *d->w().t51;
        d->showTab(".51");
        QVERIFY(t.Label115->isVisible());
        QVERIFY(!t.Panel4->isVisible());

        d->chooseLine(1);
        QVERIFY(t.BitBtn57->isVisible());
        SaleTabDriver::click(t.BitBtn57);  // all untouched
        QCOMPARE(d->lastSent(), frame("51N000000000000000N" + spaces(120) + "0" + spaces(8)));

        SaleTabDriver::toggle(t.cbCmc7);
        SaleTabDriver::type(t.edBancoCmc7, "1");
        SaleTabDriver::type(t.edValCheq, "150");
        SaleTabDriver::type(t.mskDataCheq, "06122026");
        SaleTabDriver::toggle(t.rgDigCheq->findChildren<QRadioButton*>().at(3));
        SaleTabDriver::type(t.edLinhaCheq1, "OBS");
        SaleTabDriver::type(t.edLinhaCheq2, "FIM");
        SaleTabDriver::click(t.BitBtn57);
        QCOMPARE(t.edValCheq->text(), QString("150,00"));
        QCOMPARE(t.mskDataCheq->text(), QString("06/12/2026"));
        QCOMPARE(d->lastSent(), frame("51S001000000015000NOBS" + spaces(57) + "FIM" + spaces(57) +
                                      "4" + "06122026"));
        QCOMPARE(d->reply(), QString(".+51"));

        // A partly typed date keeps its blanks, right-justified to eight.
        SaleTabDriver::type(t.mskDataCheq, "0612");
        d->chooseLine(2);
        SaleTabDriver::click(t.BitBtn57);
        QCOMPARE(d->lastSent().mid(142, 8), QString("0612    "));
    }
};

QTEST_MAIN(TestChequeTabs)
#include "tst_cheque_tabs.moc"
