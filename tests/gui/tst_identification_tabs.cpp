// Tabs .17, .19 and .20 through the real widgets: what reaches eq.MSG, the
// reply shown, the entry rules, the printer-line branches and the fields the
// second-TEF-copy box switches off.

#include <QCheckBox>
#include <QGroupBox>
#include <QtTest>

#include "SaleTabDriver.h"
#include "TestText.h"
#include "ui_tab17.h"
#include "ui_tab19.h"
#include "ui_tab20.h"

using testsupport::frame;
using testsupport::SaleTabDriver;
using testsupport::spaces;

namespace {
const std::string ident20 = spaces(9) + "12345678901";
}  // namespace

class TestIdentificationTabs : public testsupport::TabTestCase {
    Q_OBJECT

    // Nothing is sent and the reply field keeps what it showed.
    void clickSendsNothing(QAbstractButton* button) {
        d->w().ui.edRecebido->setText("antes");
        const std::size_t sent = d->sentCount();
        SaleTabDriver::click(button);
        QCOMPARE(d->sentCount(), sent);
        QCOMPARE(d->reply(), QString("antes"));
    }

  private slots:
    void taxpayerIdSentUnpadded() {
        auto& t = *d->w().t17;
        d->showTab(".17");
        SaleTabDriver::click(t.BitBtn2);
        QCOMPARE(d->lastSent(), frame("17"));
        SaleTabDriver::type(t.edCNPJ, "12.345.678/0001-90ABCD");  // two over the limit
        QCOMPARE(t.edCNPJ->text(), QString("12.345.678/0001-90AB"));
        SaleTabDriver::click(t.BitBtn2);
        QCOMPARE(d->lastSent(), frame("1712.345.678/0001-90AB"));
        QCOMPARE(d->reply(), QString(".+17"));
    }

    void customerIdByTitleLineAndTefBox() {
        auto& t = *d->w().t19;
        const auto versions = t.rgVersao4100->findChildren<QRadioButton*>();
        const QList<QLineEdit*> fields{t.EdTitulo, t.edCOO, t.edTipoModal, t.edIdentificacao,
                                       t.edParcelas};
        auto enabledFields = [&] {
            int n = 0;
            for (QLineEdit* field : fields) n += field->isEnabled() ? 1 : 0;
            return n;
        };
        d->showTab(".19");
        QVERIFY(!t.cbSegTEF->isVisible());

        // A title never entered takes the short form.
        SaleTabDriver::type(t.edIdentificacao, "12345678901");
        SaleTabDriver::click(t.BitBtn22);
        QCOMPARE(d->lastSent(), frame("1900" + spaces(4) + ident20));
        QCOMPARE(d->reply(), QString(".+19"));

        // Left empty, the title becomes "00": COO and type, filled by their rules.
        SaleTabDriver::type(t.EdTitulo, "");
        SaleTabDriver::type(t.edCOO, "12a3");
        SaleTabDriver::type(t.edTipoModal, "1");
        SaleTabDriver::click(t.BitBtn22);
        QCOMPARE(t.EdTitulo->text(), QString("00"));
        QCOMPARE(t.edCOO->text(), QString("0123"));
        QCOMPARE(t.edTipoModal->text(), QString("01"));
        QCOMPARE(d->lastSent(), frame("1900012301" + ident20));

        // Versions 1.5 and 1.6 offer the second TEF copy, which needs no field.
        SaleTabDriver::toggle(versions.at(2));
        QVERIFY(t.cbSegTEF->isVisible());
        SaleTabDriver::toggle(t.cbSegTEF);
        QCOMPARE(enabledFields(), 0);
        SaleTabDriver::click(t.BitBtn22);
        QCOMPARE(d->lastSent(), frame("1900"));
        // Another version hides and clears the box, and the fields come back.
        SaleTabDriver::toggle(versions.at(0));
        QVERIFY(!t.cbSegTEF->isVisible());
        QVERIFY(!t.cbSegTEF->isChecked());
        QCOMPARE(enabledFields(), 5);

        d->chooseLine(1);
        SaleTabDriver::type(t.EdTitulo, "0");
        SaleTabDriver::type(t.edParcelas, "3");
        SaleTabDriver::click(t.BitBtn22);
        QCOMPARE(d->lastSent(), frame("1900012301" + ident20 + "03"));

        d->chooseLine(2);
        clickSendsNothing(t.BitBtn22);      // no RX form without the box...
        SaleTabDriver::toggle(t.cbSegTEF);  // ...but the box sends on RX
        SaleTabDriver::click(t.BitBtn22);
        QCOMPARE(d->lastSent(), frame("1900"));

        // Checked out of sight on 4100, the box still decides.
        d->chooseLine(0);
        QVERIFY(!t.cbSegTEF->isVisible());
        SaleTabDriver::click(t.BitBtn22);
        QCOMPARE(d->lastSent(), frame("1900"));
        QCOMPARE(enabledFields(), 0);
    }

    void authenticationByLine() {
        auto& t = *d->w().t20;
        d->showTab(".20");
        SaleTabDriver::type(t.edAtribAut, "x1");
        SaleTabDriver::toggle(t.cbLogo);
        SaleTabDriver::type(t.edAutCod, "ABC123");
        SaleTabDriver::type(t.edAutCab, "");  // left empty: "0"
        SaleTabDriver::toggle(t.cbLiquido);
        SaleTabDriver::click(t.BitBtn11);
        QCOMPARE(t.edAutCab->text(), QString("0"));
        const std::string short4100 = "201SABC123" + spaces(9) + "0S";
        QCOMPARE(d->lastSent(), frame(short4100));
        QCOMPARE(d->reply(), QString(".+20"));

        d->chooseLine(1);
        SaleTabDriver::type(t.edAlfa, "PEDIDO 10");
        SaleTabDriver::click(t.BitBtn11);
        QCOMPARE(d->lastSent(), frame(short4100 + "PEDIDO 10" + spaces(11)));

        d->chooseLine(2);
        clickSendsNothing(t.BitBtn11);
    }
};

QTEST_MAIN(TestIdentificationTabs)
#include "tst_identification_tabs.moc"
