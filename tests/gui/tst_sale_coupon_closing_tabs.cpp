// Tabs .07 to .12 through the real widgets: legends, voucher text, the
// identifier and payment lists, surcharge and the closing lines.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QtTest>

#include "SaleTabDriver.h"
#include "TestText.h"
#include "ui_tab07.h"
#include "ui_tab08.h"
#include "ui_tab09.h"
#include "ui_tab10.h"
#include "ui_tab11.h"
#include "ui_tab12.h"

using testsupport::spaces;

using testsupport::frame;
using testsupport::MessageCapture;
using testsupport::SaleTabDriver;

namespace {
std::string emptyRows(int n) {
    std::string rows;
    for (int i = 0; i < n; ++i) rows += "0" + spaces(40);
    return rows;
}
}  // namespace

class TestSaleCouponClosingTabs : public testsupport::TabTestCase {
    Q_OBJECT

  private slots:
    void legendSendsCodeValueDescription() {
        auto& t = *d->w().t07;
        d->showTab(".07");
        SaleTabDriver::type(t.edCodigoLegenda, "3");
        SaleTabDriver::type(t.edDescLeg, "TROCO");
        SaleTabDriver::type(t.edValorLegenda, "1");
        SaleTabDriver::click(t.BitBtn12);
        QCOMPARE(d->lastSent(), frame("0703000000000100TROCO" + spaces(35)));
        QCOMPARE(d->reply(), QString(".+07"));
        QCOMPARE(SaleTabDriver::focused(), QString("edCodigoLegenda"));
    }

    void voucherTextByAttribute() {
        auto& t = *d->w().t08;
        const auto items = t.rgAtribTNF->findChildren<QRadioButton*>();
        d->showTab(".08");
        SaleTabDriver::type(t.edTNF, "OBRIGADO");
        SaleTabDriver::click(t.BitBtn13);  // no attribute chosen
        QCOMPARE(d->lastSent(), frame("08OBRIGADO" + spaces(32)));

        SaleTabDriver::toggle(items.at(2));  // "1"
        SaleTabDriver::click(t.BitBtn13);
        QCOMPARE(d->lastSent(), frame("081OBRIGADO" + spaces(32)));
        QCOMPARE(d->reply(), QString(".+08"));
        QCOMPARE(SaleTabDriver::focused(), QString("edTNF"));

        SaleTabDriver::toggle(items.at(0));  // "Fechar Comprovante"
        SaleTabDriver::click(t.BitBtn13);
        QCOMPARE(d->lastSent(), frame("08"));
        QCOMPARE(SaleTabDriver::focused(), QString("BitBtn13"));
    }

    void identifierListAppliedClearedAndSent() {
        auto& t = *d->w().t09;
        d->showTab(".09");
        SaleTabDriver::type(t.edAtribIndic, "1");
        SaleTabDriver::type(t.edTipoIndic, "3");
        SaleTabDriver::type(t.edIdentIndic, "ABC");
        SaleTabDriver::click(t.BitBtn54);
        QCOMPARE(SaleTabDriver::focused(), QString("BitBtn54"));
        SaleTabDriver::type(t.edTipoIndic, "10");
        SaleTabDriver::type(t.edIdentIndic, "XYZ");
        SaleTabDriver::click(t.BitBtn54);
        QCOMPARE(t.edFormatoIndic->text(), QString("|03ABC|10XYZ"));
        QCOMPARE(d->sentCount(), std::size_t(0));

        SaleTabDriver::click(t.BitBtn56);
        QCOMPARE(d->lastSent(), frame("09|1|03ABC|10XYZ"));
        QCOMPARE(d->reply(), QString(".+09"));
        QCOMPARE(t.edFormatoIndic->text(), QString("|03ABC|10XYZ"));

        SaleTabDriver::click(t.BitBtn55);
        QCOMPARE(t.edFormatoIndic->text(), QString());
        SaleTabDriver::click(t.BitBtn56);
        QCOMPARE(d->lastSent(), frame("09|1"));
    }

    void paymentsAppliedClearedAndSent() {
        auto& t = *d->w().t10;
        d->showTab(".10");
        SaleTabDriver::type(t.edCodModa, "1");
        SaleTabDriver::type(t.edValorModa, "10");
        SaleTabDriver::type(t.edTexto1, "   ");  // blanks only: no text lines
        SaleTabDriver::click(t.BitBtn15);
        QCOMPARE(t.edCodModa->text(), QString("01"));
        QCOMPARE(SaleTabDriver::focused(), QString("edCodModa"));
        SaleTabDriver::type(t.edCodModa, "02");
        SaleTabDriver::type(t.edValorModa, "5,5");
        SaleTabDriver::type(t.edTexto1, "CARTAO");
        SaleTabDriver::click(t.BitBtn15);
        const std::string entries =
            "01000000001000"
            "02000000000550{CARTAO" +
            spaces(74);
        QCOMPARE(t.edEnviaModa->text(), QString::fromLatin1(entries));
        QCOMPARE(d->sentCount(), std::size_t(0));

        SaleTabDriver::click(t.BitBtn14);
        QCOMPARE(d->lastSent(), frame("10" + entries));
        QCOMPARE(d->reply(), QString(".+10"));
        SaleTabDriver::click(t.BitBtn16);
        SaleTabDriver::click(t.BitBtn14);
        QCOMPARE(d->lastSent(), frame("10"));
    }

    void surchargeOfEachType() {
        auto& t = *d->w().t11;
        d->showTab(".11");
        QCOMPARE(t.cbTipoAcr->currentText(), QString("Acréscimo"));
        SaleTabDriver::type(t.edPctAcre, "10");
        SaleTabDriver::type(t.edValorAcre, "0");
        SaleTabDriver::click(t.BitBtn17);
        QCOMPARE(d->lastSent(), frame("1151100000000000000N"));
        QCOMPARE(d->reply(), QString(".+11"));

        QTest::keyClick(t.cbTipoAcr, Qt::Key_Down);
        QCOMPARE(t.cbTipoAcr->currentText(), QString("Acréscimo IOF"));
        SaleTabDriver::type(t.edPctAcre, "2,5");
        SaleTabDriver::type(t.edValorAcre, "12.34");
        SaleTabDriver::toggle(t.cbAcreSub);
        SaleTabDriver::click(t.BitBtn17);
        QCOMPARE(d->lastSent(), frame("1152025000000001234S"));
    }

    // Percentage and value are read strictly: a field never entered stops it.
    void surchargeNeedsBothNumbers() {
        MessageCapture boxes;
        auto& t = *d->w().t11;
        d->showTab(".11");
        d->w().ui.edRecebido->setText("antes");
        SaleTabDriver::click(t.BitBtn17);
        SaleTabDriver::type(t.edPctAcre, "10");
        SaleTabDriver::click(t.BitBtn17);
        QCOMPARE(boxes.errors, QStringList({"'' is not a valid integer value.",
                                            "'' is not a valid integer value."}));
        QCOMPARE(t.edPctAcre->text(), QString("10,00"));
        QCOMPARE(d->sentCount(), std::size_t(0));
        QCOMPARE(d->reply(), QString("antes"));
    }

    void closingFocusOrder() {
        auto& t = *d->w().t12;
        d->showTab(".12");
        t.cbVinculado->setFocus(Qt::TabFocusReason);
        QStringList order{SaleTabDriver::focused()};
        while (order.size() < 20) {
            SaleTabDriver::tab();
            order << SaleTabDriver::focused();
        }
        QStringList expected{"cbVinculado", "cbSeg", "cbSemPara"};
        for (int row = 1; row <= 8; ++row) {
            const QString attribute = QString("edAtrib%1").arg(row);
            const QString text = QString("edLinha%1").arg(row);
            expected << (row == 7 ? QStringList{text, attribute} : QStringList{attribute, text});
        }
        expected << "BitBtn18";
        QCOMPARE(order, expected);
    }

    void closingOnEachLine() {
        auto& t = *d->w().t12;
        d->showTab(".12");
        SaleTabDriver::type(t.edAtrib1, "1");
        SaleTabDriver::type(t.edLinha1, "VOLTE SEMPRE");
        SaleTabDriver::type(t.edAtrib2, "x");  // dropped: left empty
        SaleTabDriver::click(t.BitBtn18);
        const std::string rows = "1VOLTE SEMPRE" + spaces(28) + emptyRows(7);
        QCOMPARE(d->lastSent(), frame("12NN" + rows));
        QCOMPARE(t.edAtrib2->text(), QString("0"));
        QCOMPARE(d->reply(), QString(".+12"));

        d->chooseLine(1);
        SaleTabDriver::toggle(t.cbVinculado);
        SaleTabDriver::click(t.BitBtn18);
        QCOMPARE(d->lastSent(), frame("12N" + rows));

        d->chooseLine(2);
        d->w().ui.edRecebido->setText("antes");
        SaleTabDriver::click(t.BitBtn18);
        QCOMPARE(d->sentCount(), std::size_t(2));
        QCOMPARE(d->reply(), QString("antes"));

        SaleTabDriver::toggle(t.cbSemPara);
        SaleTabDriver::click(t.BitBtn18);
        QCOMPARE(d->lastSent(), frame("12"));
        QCOMPARE(d->reply(), QString(".+12"));
    }
};

QTEST_MAIN(TestSaleCouponClosingTabs)
#include "tst_sale_coupon_closing_tabs.moc"
