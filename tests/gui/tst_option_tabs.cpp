// Tabs .41, .50 and .54 through the real widgets: the boxes and lists read at
// the click, and .54 only on line RX.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QtTest>

#include "SaleTabDriver.h"
#include "ui_tab41.h"
#include "ui_tab50.h"
#include "ui_tab54.h"

using testsupport::frame;
using testsupport::SaleTabDriver;

class TestOptionTabs : public testsupport::TabTestCase {
    Q_OBJECT

  private slots:
    void commandConfirmation() {
        auto& t = *d->w().t41;
        d->showTab(".41");
        SaleTabDriver::click(t.BitBtn43);
        QCOMPARE(d->lastSent(), frame("41N"));
        QCOMPARE(d->reply(), QString(".+41"));
        SaleTabDriver::toggle(t.cbConfirmaComando);
        SaleTabDriver::click(t.BitBtn43);
        QCOMPARE(d->lastSent(), frame("41S"));
        QVERIFY(t.cbConfirmaComando->isChecked());  // kept after sending
    }

    void printOptionsInBoxOrder() {
        auto& t = *d->w().t50;
        d->showTab(".50");
        SaleTabDriver::toggle(t.cbBidi);
        SaleTabDriver::click(t.BitBtn51);
        QCOMPARE(d->lastSent(), frame("50NNSN"));
        QCOMPARE(d->reply(), QString(".+50"));
        SaleTabDriver::toggle(t.cbBidi);
        for (QCheckBox* box : {t.cbImediata, t.cbAbrev, t.cbTroco}) {
            SaleTabDriver::toggle(box);
            SaleTabDriver::click(t.BitBtn51);
        }
        const auto requests = d->link->requests();
        QCOMPARE(requests.size(), std::size_t(4));
        QCOMPARE(requests[1], std::string("\x1B.50SNNN}\n"));
        QCOMPARE(requests[2], std::string("\x1B.50SSNN}\n"));
        QCOMPARE(requests[3], std::string("\x1B.50SSNS}\n"));
    }

    void exemptionTypesOnlyOnRX() {
        auto& t = *d->w().t54;
        d->showTab(".54");
        QVERIFY(t.Label123->isVisible());
        QVERIFY(!t.gbTipoIsento->isVisible() && !t.BitBtn62->isVisible());
        QCOMPARE(t.Label123->text(), QString("Comando disponível apenas na linha RX."));
        // Hidden, the button cannot be reached; clicked anyway it sends nothing.
        t.BitBtn62->click();
        QCOMPARE(d->sentCount(), std::size_t(0));

        d->chooseLine(2);
        QVERIFY(!t.Label123->isVisible());
        QVERIFY(t.gbTipoIsento->isVisible() && t.BitBtn62->isVisible());
        SaleTabDriver::click(t.BitBtn62);
        QCOMPARE(d->lastSent(), frame("54|1|1|1|1|1|1"));
        QCOMPARE(d->reply(), QString(".+54"));

        QVERIFY(!t.cbTipoIsentoB->isEditable());
        t.cbTipoIsentoB->setFocus();
        QTest::keyClicks(t.cbTipoIsentoB, "9");  // not an item: nothing changes
        QCOMPARE(t.cbTipoIsentoB->currentText(), QString("1"));
        QTest::keyClick(t.cbTipoIsentoB, Qt::Key_Down);
        QTest::keyClick(t.cbTipoIsentoB, Qt::Key_Down);
        QTest::keyClicks(t.cbTipoIsentoF, "2");
        SaleTabDriver::click(t.BitBtn62);
        QCOMPARE(d->lastSent(), frame("54|1|3|1|1|1|2"));
    }
};

QTEST_MAIN(TestOptionTabs)
#include "tst_option_tabs.moc"
