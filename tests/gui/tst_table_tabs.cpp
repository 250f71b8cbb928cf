// Tabs .38, .39 and .47 through the real widgets: rows applied to the table
// text, cleared and sent; the exclusive marker boxes of .39 and the limits of
// its name and table fields.

#include <QCheckBox>
#include <QGroupBox>
#include <QtTest>

#include "SaleTabDriver.h"
#include "TestText.h"
#include "ui_tab38.h"
#include "ui_tab39.h"
#include "ui_tab47.h"

using testsupport::frame;
using testsupport::SaleTabDriver;
using testsupport::spaces;

class TestTableTabs : public testsupport::TabTestCase {
    Q_OBJECT

  private slots:
    void legendTableAppliedClearedAndSent() {
        auto& t = *d->w().t38;
        d->showTab(".38");
        SaleTabDriver::type(t.edLegNF, "ABC");
        SaleTabDriver::click(t.BitBtn36);
        QCOMPARE(SaleTabDriver::focused(), QString("edLegNF"));
        QCOMPARE(t.edLegNF->text(), QString("ABC"));
        SaleTabDriver::type(t.edLegNF, "DEFGH");
        SaleTabDriver::click(t.BitBtn36);
        const std::string rows = "ABC" + spaces(12) + "DEFGH" + spaces(10);
        QCOMPARE(t.edFormatoNF->text(), QString::fromLatin1(rows));
        QCOMPARE(d->sentCount(), std::size_t(0));

        SaleTabDriver::click(t.BitBtn38);
        QCOMPARE(d->lastSent(), frame("38N" + rows));
        QCOMPARE(d->reply(), QString(".+38"));
        QCOMPARE(t.edFormatoNF->text(), QString::fromLatin1(rows));

        SaleTabDriver::click(t.BitBtn37);
        SaleTabDriver::toggle(t.cbZerar);
        SaleTabDriver::click(t.BitBtn38);
        QCOMPARE(d->lastSent(), frame("38S"));

        // The table field has no limit of its own: a long table still grows.
        t.edFormatoNF->setText(QString(40000, 'X'));
        SaleTabDriver::click(t.BitBtn36);
        QCOMPARE(t.edFormatoNF->text().size(), 40015);
    }

    void paymentModeTableWithExclusiveMarkers() {
        auto& t = *d->w().t39;
        d->showTab(".39");
        SaleTabDriver::type(t.edNomeModa, "DINHEIRO");
        SaleTabDriver::click(t.BitBtn40);
        QCOMPARE(SaleTabDriver::focused(), QString("BitBtn40"));
        SaleTabDriver::toggle(t.cbVinc);
        SaleTabDriver::toggle(t.cbContraVale);
        SaleTabDriver::toggle(t.cbCheq);  // takes the place of the counter voucher
        QVERIFY(t.cbCheq->isChecked() && !t.cbContraVale->isChecked());
        SaleTabDriver::type(t.edNomeModa, "CHEQUE");
        SaleTabDriver::click(t.BitBtn40);
        const std::string rows = "NDINHEIRO" + spaces(7) + "S=CHEQUE" + spaces(8);
        QCOMPARE(t.edNomeFormatoModa->text(), QString::fromLatin1(rows));
        SaleTabDriver::click(t.BitBtn41);
        QCOMPARE(d->lastSent(), frame("39" + rows));
        QCOMPARE(d->reply(), QString(".+39"));

        // 14 characters of name while either marker is checked, 15 otherwise.
        const QString sixteen = "ABCDEFGHIJKLMNOP";
        const auto typedName = [&] {
            SaleTabDriver::type(t.edNomeModa, sixteen);
            return t.edNomeModa->text();
        };
        QCOMPARE(typedName(), sixteen.left(14));
        SaleTabDriver::toggle(t.cbContraVale);
        QVERIFY(!t.cbCheq->isChecked() && t.cbContraVale->isChecked());
        QCOMPARE(typedName(), sixteen.left(14));
        SaleTabDriver::click(t.BitBtn39);
        SaleTabDriver::click(t.BitBtn40);
        QCOMPARE(t.edNomeFormatoModa->text(), "S#" + sixteen.left(14));
        SaleTabDriver::toggle(t.cbContraVale);
        QCOMPARE(typedName(), sixteen.left(15));
        SaleTabDriver::toggle(t.cbCheq);
        QCOMPARE(t.edNomeModa->text(), sixteen.left(14));
        SaleTabDriver::toggle(t.cbCheq);
        QCOMPARE(typedName(), sixteen.left(15));

        // A full table takes no more rows and none in part: 10 rows on this
        // line, 20 on RX.
        SaleTabDriver::click(t.BitBtn39);
        for (int row = 0; row < 11; ++row) SaleTabDriver::click(t.BitBtn40);
        const QString row = "S" + sixteen.left(15);
        QCOMPARE(t.edNomeFormatoModa->text(), row.repeated(10));
        d->chooseLine(2);
        for (int i = 0; i < 11; ++i) SaleTabDriver::click(t.BitBtn40);
        QCOMPARE(t.edNomeFormatoModa->text(), row.repeated(20));
        t.edNomeFormatoModa->setText(row.repeated(19) + "S");  // a hand edit
        SaleTabDriver::click(t.BitBtn40);
        QCOMPARE(t.edNomeFormatoModa->text(), row.repeated(19) + "S");
        SaleTabDriver::click(t.BitBtn41);
        QCOMPARE(d->lastSent(), frame("39" + (row.repeated(19) + "S").toStdString()));
    }

    // A table kept whole over the limit of a lower line takes no row until it
    // is within that line's limit, however wide the field was left.
    void paymentModeTableOverTheLineLimitTakesNoRow() {
        auto& t = *d->w().t39;
        d->showTab(".39");
        SaleTabDriver::type(t.edNomeModa, "DINHEIRO");
        const QString row = "NDINHEIRO" + QString(7, ' ');
        d->chooseLine(2);
        t.edNomeFormatoModa->setText(row.repeated(20));
        d->chooseLine(0);
        t.edNomeFormatoModa->setText(row.repeated(19));  // a hand edit, still over 10 rows
        SaleTabDriver::click(t.BitBtn40);
        QCOMPARE(t.edNomeFormatoModa->text(), row.repeated(19));

        SaleTabDriver::click(t.BitBtn39);
        for (int i = 0; i < 11; ++i) SaleTabDriver::click(t.BitBtn40);
        QCOMPARE(t.edNomeFormatoModa->text(), row.repeated(10));
    }

    void legendChangesAppliedClearedAndSent() {
        auto& t = *d->w().t47;
        d->showTab(".47");
        const auto items = t.rgNF->findChildren<QRadioButton*>();
        QVERIFY(items.at(0)->isChecked());
        SaleTabDriver::type(t.edTituloNF, "TITULO");
        SaleTabDriver::type(t.edLegNF47, "ABC");
        SaleTabDriver::type(t.edNovaLeg47, "XYZ");
        SaleTabDriver::click(t.BitBtn48);
        SaleTabDriver::toggle(items.at(1));
        SaleTabDriver::click(t.BitBtn48);
        const std::string fields = "TITULO" + spaces(9) + "ABC" + spaces(12) + "XYZ" + spaces(12);
        QCOMPARE(t.edFormatoNF47->text(), QString::fromLatin1("+" + fields + "=" + fields));
        QCOMPARE(d->sentCount(), std::size_t(0));

        SaleTabDriver::click(t.BitBtn49);
        SaleTabDriver::toggle(items.at(2));
        SaleTabDriver::type(t.edNovaLeg47, "");
        SaleTabDriver::click(t.BitBtn48);
        const std::string deletion = "-TITULO" + spaces(9) + "ABC" + spaces(27);
        QCOMPARE(t.edFormatoNF47->text(), QString::fromLatin1(deletion));
        SaleTabDriver::click(t.BitBtn50);
        QCOMPARE(d->lastSent(), frame("47" + deletion));
        QCOMPARE(d->reply(), QString(".+47"));
        SaleTabDriver::click(t.BitBtn49);
        SaleTabDriver::click(t.BitBtn50);
        QCOMPARE(d->lastSent(), frame("47"));
        QCOMPARE(t.edFormatoNF47->maxLength(), std::numeric_limits<int>::max());
    }
};

QTEST_MAIN(TestTableTabs)
#include "tst_table_tabs.moc"
