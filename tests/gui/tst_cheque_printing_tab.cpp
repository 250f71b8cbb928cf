// Tab .24 through the real widgets: the entry rules of bank and amount, the
// date mask read without its slashes, both radio groups, on every line.

#include <QGroupBox>
#include <QRadioButton>
#include <QtTest>

#include "SaleTabDriver.h"
#include "TestText.h"
#include "ui_tab24.h"

using testsupport::frame;
using testsupport::SaleTabDriver;
using testsupport::spaces;

class TestChequePrintingTab : public testsupport::TabTestCase {
    Q_OBJECT

  private slots:
    void chequeFieldsInPlaceOnEveryLine() {
        auto& t = *d->w().t24;
        const auto digits = t.rgDigitosCheque->findChildren<QRadioButton*>();
        const auto places = t.rgInfoAdic->findChildren<QRadioButton*>();
        d->showTab(".24");
        // Nothing entered: zeros, "Verso (Antes)", no year digits, no date.
        SaleTabDriver::click(t.BitBtn27);
        QCOMPARE(d->lastSent(), frame("24000000000000000S" + spaces(120) + "0" + spaces(8)));

        SaleTabDriver::type(t.edBanco, "1");
        SaleTabDriver::type(t.edValorCheque, "150");
        SaleTabDriver::type(t.mskDataCheque, "06122026");
        SaleTabDriver::type(t.edLinhaCheque1, "PAGUE-SE");
        SaleTabDriver::type(t.edLinhaCheque2, "A ORDEM");
        SaleTabDriver::toggle(digits.at(3));
        SaleTabDriver::click(t.BitBtn27);
        QCOMPARE(t.edBanco->text(), QString("001"));
        QCOMPARE(t.edValorCheque->text(), QString("150,00"));
        QCOMPARE(t.mskDataCheque->text(), QString("06/12/2026"));
        const std::string lines = "PAGUE-SE" + spaces(52) + "A ORDEM" + spaces(53);
        QCOMPARE(d->lastSent(), frame("24001000000015000S" + lines + "4" + "06122026"));
        QCOMPARE(d->w().ui.edRecebido->text(), QString(".+24"));

        // A date typed only in part keeps its blanks in place.
        SaleTabDriver::type(t.mskDataCheque, "0612");
        SaleTabDriver::toggle(digits.at(1));
        for (int line : {1, 2}) {
            d->chooseLine(line);
            SaleTabDriver::toggle(places.at(line));
            SaleTabDriver::click(t.BitBtn27);
            const std::string place = line == 1 ? "N" : " ";
            QCOMPARE(d->lastSent(),
                     frame("24001000000015000" + place + lines + "2" + "0612" + spaces(4)));
        }
    }
};

QTEST_MAIN(TestChequePrintingTab)
#include "tst_cheque_printing_tab.moc"
