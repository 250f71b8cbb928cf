// Reading and report tabs .13 to .16 and .27 to .29 through the real widgets:
// what reaches eq.MSG, the reply shown and the printer-line branches.

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QtTest>

#include "SaleTabDriver.h"
#include "commands/ReportCommands.h"
#include "ui_tab13.h"
#include "ui_tab14.h"
#include "ui_tab15.h"
#include "ui_tab16.h"
#include "ui_tab27.h"
#include "ui_tab28.h"
#include "ui_tab29.h"

using testsupport::frame;
using testsupport::SaleTabDriver;

class TestReportTabs : public testsupport::TabTestCase {
    Q_OBJECT

  private slots:
    void readingXTitleOnlyOnRx() {
        auto& t = *d->w().t13;
        d->showTab(".13");
        QCOMPARE(t.BitBtn6->text(), QString("&Enviar"));
        SaleTabDriver::click(t.BitBtn6);
        QCOMPARE(d->lastSent(), frame("13N"));
        QCOMPARE(d->reply(), QString(".+13"));

        d->chooseLine(2);
        QVERIFY(t.edTituloGerencial->isVisible() && t.Label122->isVisible());
        SaleTabDriver::click(t.BitBtn6);
        QCOMPARE(d->lastSent(), frame("13"));
        SaleTabDriver::toggle(t.cbLX);
        SaleTabDriver::type(t.edTituloGerencial, QString("CAIXA 1 ") + QString(50, 'X'));
        SaleTabDriver::click(t.BitBtn6);
        QCOMPARE(d->lastSent(), frame("13SCAIXA 1 " + std::string(50, 'X')));

        // The title stays in its hidden field and is not read on 6100.
        d->chooseLine(1);
        QVERIFY(!t.edTituloGerencial->isVisible());
        SaleTabDriver::click(t.BitBtn6);
        QCOMPARE(d->lastSent(), frame("13S"));
    }

    void reductionZDateAndTimeOnRx() {
        auto& t = *d->w().t14;
        d->showTab(".14");
        d->w().Timer1->stop();  // the fields are set by hand below
        SaleTabDriver::toggle(t.cbRZ);
        SaleTabDriver::click(t.BitBtn7);
        QCOMPARE(d->lastSent(), frame("14S"));
        QCOMPARE(d->reply(), QString(".+14"));
        SaleTabDriver::toggle(t.cbRZ);
        d->chooseLine(1);
        SaleTabDriver::click(t.BitBtn7);
        QCOMPARE(d->lastSent(), frame("14N"));

        // On RX the box (hidden, still clear) is not read; before the clock
        // ticks the date and time are empty.
        d->chooseLine(2);
        QVERIFY(!t.cbRZ->isVisible() && t.edData->isVisible() && t.edHora->isVisible());
        SaleTabDriver::click(t.BitBtn7);
        QCOMPARE(d->lastSent(), frame("14S"));
        t.edData->setText("061226");
        t.edHora->setText("134501");
        SaleTabDriver::click(t.BitBtn7);
        QCOMPARE(d->lastSent(), frame("14S061226134501"));
    }

    void reductionRangeFieldsAndRules() {
        auto& t = *d->w().t15;
        d->showTab(".15");
        SaleTabDriver::click(t.BitBtn19);
        QCOMPARE(d->lastSent(), frame("1500000000"));  // never entered
        QCOMPARE(d->reply(), QString(".+15"));
        SaleTabDriver::type(t.edRedIn, "7");
        SaleTabDriver::tab();
        QCOMPARE(SaleTabDriver::focused(), QString("edRedFin"));
        QCOMPARE(t.edRedIn->text(), QString("0007"));
        SaleTabDriver::click(t.BitBtn19);
        QCOMPARE(d->lastSent(), frame("1500070000"));
        QCOMPARE(t.edRedFin->text(), QString("0000"));
        SaleTabDriver::type(t.edRedFin, "3a4,5");  // only digits get through
        QCOMPARE(t.edRedFin->text(), QString("345"));
        SaleTabDriver::click(t.BitBtn19);
        QCOMPARE(t.edRedFin->text(), QString("0345"));
        QCOMPARE(d->lastSent(), frame("1500070345"));
    }

    void dateRangeFromMaskedDates() {
        auto& t = *d->w().t16;
        d->showTab(".16");
        QCOMPARE(t.mskDataInicio->maxLength(), 8);
        SaleTabDriver::click(t.BitBtn20);
        QCOMPARE(d->lastSent(), frame("16000000000000"));
        QCOMPARE(d->reply(), QString(".+16"));
        SaleTabDriver::type(t.mskDataInicio, "010106");
        SaleTabDriver::type(t.mskDataFinal, "311206");
        QCOMPARE(t.mskDataInicio->displayText(), QString("01/01/06"));
        SaleTabDriver::click(t.BitBtn20);
        QCOMPARE(d->lastSent(), frame("16010106311206"));
        SaleTabDriver::type(t.mskDataInicio, "0502");  // year still blank
        SaleTabDriver::click(t.BitBtn20);
        QCOMPARE(d->lastSent(), frame("16000000311206"));
    }

    void readingType27SendsChosenCaption() {
        auto& t = *d->w().t27;
        d->showTab(".27");
        QCOMPARE(t.BitBtn5->text(), QString("OK"));
        SaleTabDriver::click(t.BitBtn5);
        QCOMPARE(d->lastSent(), frame("271"));
        QCOMPARE(d->reply(), QString(".+27"));
        SaleTabDriver::toggle(t.rgTipo27Item11);
        SaleTabDriver::click(t.BitBtn5);
        QCOMPARE(d->lastSent(), frame("27C"));
        SaleTabDriver::toggle(t.rgTipo27Item16);
        SaleTabDriver::click(t.BitBtn5);
        QCOMPARE(d->lastSent(), frame("27H"));
    }

    void readingType28ByLine() {
        auto& t = *d->w().t28;
        d->showTab(".28");
        QCOMPARE(t.BitBtn4->text(), QString("OK"));
        QVERIFY(t.Label14->isVisible() && !t.rgTipo28->isVisible());
        SaleTabDriver::click(t.BitBtn4);
        QCOMPARE(d->lastSent(), frame("28"));
        QCOMPARE(d->reply(), QString(".+28"));

        d->chooseLine(1);
        SaleTabDriver::click(t.BitBtn4);
        QCOMPARE(d->lastSent(), frame("28B"));
        SaleTabDriver::toggle(t.rgTipo28Item2);
        SaleTabDriver::click(t.BitBtn4);
        QCOMPARE(d->lastSent(), frame("28D"));
        SaleTabDriver::toggle(t.rgTipo28Item5);
        SaleTabDriver::click(t.BitBtn4);
        QCOMPARE(d->lastSent(), frame("28"));

        // Line RX shows the choices but sends nothing and changes nothing.
        d->chooseLine(2);
        QVERIFY(t.rgTipo28->isVisible());
        SaleTabDriver::toggle(t.rgTipo28Item0);
        d->w().ui.edRecebido->setText("antes");
        const QString shownSent = d->w().ui.edEnviado->text();
        const std::size_t sent = d->sentCount();
        SaleTabDriver::click(t.BitBtn4);
        QCOMPARE(d->sentCount(), sent);
        QCOMPARE(d->reply(), QString("antes"));
        QCOMPARE(d->w().ui.edEnviado->text(), shownSent);
    }

    // The builders count the items of the reading-type groups: each group
    // has exactly the items its builder knows.
    void readingTypeGroupsHaveTheItemsTheirBuildersKnow() {
        const auto items = [](const QGroupBox* group) {
            return int(group->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly).size());
        };
        QCOMPARE(items(d->w().t27->rgTipo27), cuponex::kReadingType27Items);
        QCOMPARE(items(d->w().t28->rgTipo28), cuponex::kReadingType28Items);
        QCOMPARE(items(d->w().t29->rgTipo29), cuponex::kReadingType29Items);
    }

    void readingType29SendsChosenCaption() {
        auto& t = *d->w().t29;
        d->showTab(".29");
        QCOMPARE(t.BitBtn26->text(), QString("OK"));
        SaleTabDriver::toggle(t.rgTipo29Item9);
        SaleTabDriver::click(t.BitBtn26);
        QCOMPARE(d->lastSent(), frame("29A"));
        QCOMPARE(d->reply(), QString(".+29"));
        SaleTabDriver::toggle(t.rgTipo29Item20);
        SaleTabDriver::click(t.BitBtn26);
        QCOMPARE(d->lastSent(), frame("29L"));
    }
};

QTEST_MAIN(TestReportTabs)
#include "tst_report_tabs.moc"
