// Tabs .01 to .06 through the real widgets: what reaches eq.MSG, the reply
// shown, the focus moves and the printer-line branches.

#include <QComboBox>
#include <QtTest>

#include "SaleTabDriver.h"
#include "ui_tab01.h"
#include "ui_tab02.h"
#include "ui_tab03.h"
#include "ui_tab04.h"
#include "ui_tab06.h"

using testsupport::frame;
using testsupport::MessageCapture;
using testsupport::SaleTabDriver;

namespace {
const std::string coffee = "01          1230002000000000350000000000700CAFE                    T1 ";
}

class TestSaleCouponTabs : public testsupport::TabTestCase {
    Q_OBJECT

  private slots:
    // Typed in focus order with Tab, so the exit rules rewrite each field.
    void itemSaleInFocusOrder() {
        auto& t = *d->w().t01;
        d->showTab(".01");
        SaleTabDriver::type(t.edCodigo, "123");
        const QStringList expected{"edDesc",      "edPreco",   "edQuant",  "edTotal",
                                   "mskAliquota", "mskTamcod", "edDescrA", "BitBtn1"};
        const QStringList keys{"CAFE", "3.5", "2", "7", "T1", "08", ""};
        QStringList order;
        for (int i = 0; i < expected.size(); ++i) {
            SaleTabDriver::tab();
            order << SaleTabDriver::focused();
            if (i < keys.size()) QTest::keyClicks(QApplication::focusWidget(), keys[i]);
        }
        QCOMPARE(order, expected);
        QCOMPARE(t.edPreco->text(), QString("3,50"));
        QCOMPARE(t.edQuant->text(), QString("2,000"));
        QCOMPARE(t.edTotal->text(), QString("7,00"));
        SaleTabDriver::click(t.BitBtn1);
        QCOMPARE(d->lastSent(), frame(coffee + "08"));
        QCOMPARE(d->w().ui.edRecebido->text(), QString(".+01"));
        QCOMPARE(SaleTabDriver::focused(), QString("BitBtn1"));
    }

    // A "~" description makes the unit price thousandths; an additional
    // description displaces TAMCOD.
    void itemSaleWithWeighedPriceAndExtraDescription() {
        auto& t = *d->w().t01;
        d->showTab(".01");
        SaleTabDriver::type(t.edDesc, "~ARROZ");
        SaleTabDriver::type(t.edPreco, "3,5");
        SaleTabDriver::type(t.mskTamcod, "08");
        SaleTabDriver::type(t.edDescrA, "MOIDO");
        SaleTabDriver::click(t.BitBtn1);
        QCOMPARE(t.edPreco->text(), QString("3,500"));
        const QString text = d->lastSent().mid(2);
        QCOMPARE(text.mid(22, 9), QString("000003500"));
        QCOMPARE(text.mid(43, 24), "~ARROZ" + QString(18, ' '));
        QCOMPARE(text.mid(70), "MOIDO" + QString(35, ' ') + "}\n");
    }

    void itemDiscountOnEachLine() {
        auto& t = *d->w().t02;
        d->showTab(".02");
        SaleTabDriver::type(t.edDescItemTexto, "12");
        SaleTabDriver::type(t.edDescItemValor, "1,5");
        SaleTabDriver::click(t.BitBtn8);
        QCOMPARE(d->lastSent(), frame("020012000000000150"));
        QCOMPARE(d->w().ui.edRecebido->text(), QString(".+02"));

        d->chooseLine(1);
        SaleTabDriver::type(t.edDescItemTexto, "10");
        SaleTabDriver::type(t.edDescItemValor, "0");
        SaleTabDriver::click(t.BitBtn8);
        QCOMPARE(t.edDescItemTexto->text(), QString("10,00"));
        QCOMPARE(d->lastSent(), frame("021000000000000000"));

        d->chooseLine(2);
        d->w().ui.edRecebido->setText("antes");
        const std::size_t sent = d->sentCount();
        SaleTabDriver::click(t.BitBtn8);
        QCOMPARE(d->sentCount(), sent);
        QCOMPARE(d->w().ui.edRecebido->text(), QString("antes"));
    }

    void subtotalDiscountOnEachLine() {
        auto& t = *d->w().t03;
        d->showTab(".03");
        SaleTabDriver::type(t.edDescSubText, "5");
        SaleTabDriver::type(t.edDescSubValor, "2");
        SaleTabDriver::toggle(t.cbImpSub);
        SaleTabDriver::click(t.BitBtn9);
        QCOMPARE(d->lastSent(), frame("030005000000000200S"));
        QCOMPARE(d->w().ui.edRecebido->text(), QString(".+03"));

        d->chooseLine(1);
        SaleTabDriver::type(t.edDescSubText, "2,5");
        SaleTabDriver::type(t.edDescSubValor, "");
        SaleTabDriver::toggle(t.cbImpSub);
        SaleTabDriver::click(t.BitBtn9);
        QCOMPARE(d->lastSent(), frame("030250000000000000N"));

        d->chooseLine(2);
        const std::size_t sent = d->sentCount();
        SaleTabDriver::click(t.BitBtn9);
        QCOMPARE(d->sentCount(), sent);
    }

    // On line 6100 the first field must be a number when the button reads it.
    void discountPercentageIsStrictOn6100() {
        MessageCapture boxes;
        d->chooseLine(1);
        d->w().ui.edRecebido->setText("antes");
        d->showTab(".02");
        SaleTabDriver::click(d->w().t02->BitBtn8);  // never entered: empty
        d->showTab(".03");
        d->chooseLine(0);
        SaleTabDriver::type(d->w().t03->edDescSubText, "abc");  // kept as typed on 4100
        SaleTabDriver::click(d->w().t03->BitBtn9);
        QCOMPARE(d->lastSent(), frame("030000000000000000N"));
        d->w().ui.edRecebido->setText("antes");
        d->chooseLine(1);
        SaleTabDriver::click(d->w().t03->BitBtn9);
        QCOMPARE(boxes.errors, QStringList({"'' is not a valid floating point value.",
                                            "'abc' is not a valid floating point value."}));
        QCOMPARE(d->sentCount(), std::size_t(1));
        QCOMPARE(d->w().ui.edRecebido->text(), QString("antes"));
    }

    void cancelItemReturnsFocusToItem() {
        auto& t = *d->w().t04;
        d->showTab(".04");
        SaleTabDriver::click(t.bitCancelaItem);
        QCOMPARE(d->lastSent(), frame("04"));  // never entered
        SaleTabDriver::type(t.edItem, "7a");
        SaleTabDriver::click(t.bitCancelaItem);
        QCOMPARE(d->lastSent(), frame("04007"));
        QCOMPARE(d->w().ui.edRecebido->text(), QString(".+04"));
        QCOMPARE(SaleTabDriver::focused(), QString("edItem"));
        QCOMPARE(t.edItem->text(), QString("007"));
    }

    void paymentTransferOnlyOffLine4100() {
        auto& t = *d->w().t06;
        d->showTab(".06");
        QVERIFY(!t.BitBtn60->isVisible());
        QVERIFY(t.Label119->isVisible());

        d->chooseLine(2);
        QVERIFY(t.BitBtn60->isVisible());
        QCOMPARE(t.cbCodDeb->currentText(), QString("01"));
        QCOMPARE(t.cbCodCred->currentText(), QString("02"));
        SaleTabDriver::type(t.edTransfPag, "25");
        SaleTabDriver::click(t.BitBtn60);
        QCOMPARE(d->lastSent(), frame("060100000000250002"));
        QCOMPARE(d->w().ui.edRecebido->text(), QString(".+06"));

        // A code typed rather than chosen goes as typed.
        SaleTabDriver::type(t.cbCodDeb->lineEdit(), "1");
        QTest::keyClick(t.cbCodCred, Qt::Key_Down);  // "03"
        SaleTabDriver::click(t.BitBtn60);
        QCOMPARE(d->lastSent(), frame("06"
                                      "1"
                                      "000000002500"
                                      "03"));
    }
};

QTEST_MAIN(TestSaleCouponTabs)
#include "tst_sale_coupon_tabs.moc"
