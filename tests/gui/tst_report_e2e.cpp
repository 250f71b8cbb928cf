// Reports through the window, the real eqlink and the simulated printer, which
// answers them in blocks: the window shows the reply's first line and the
// printer got exactly the frames of the tabs.

#include <QCheckBox>
#include <QtTest>

#include "SaleTabDriver.h"
#include "SkipOrFail.h"
#include "ui_tab13.h"
#include "ui_tab15.h"

using testsupport::RealLink;
using testsupport::SaleTabDriver;

namespace {
// eqlink keeps the blocks and the end marker; the line feed after the marker
// only tells it the report is over.
QString report(const QString& code) {
    QString text;
    for (int block = 1; block <= 3; ++block)
        text += QString("RELATORIO %1 BLOCO %2}").arg(code).arg(block);
    return text + ".]}";
}
}  // namespace

class TestReportE2E : public QObject {
    Q_OBJECT

  private slots:
    void readingXAndReductionRange() {
        RealLink link;
        if (!link.start()) QSKIP_OR_FAIL_UNDER_CI("ecfsim or eqlink is not built or did not start");
        SaleTabDriver d;
        QVERIFY(d.open(link.workingDir()));
        auto& w = d.w();

        d.showTab(".13");
        SaleTabDriver::toggle(w.t13->cbLX);
        SaleTabDriver::click(w.t13->BitBtn6);
        QCOMPARE(w.ui.edRecebido->text(), report("13"));

        d.chooseLine(2);
        SaleTabDriver::type(w.t13->edTituloGerencial, "CAIXA 1");
        SaleTabDriver::click(w.t13->BitBtn6);
        QCOMPARE(w.ui.edRecebido->text(), report("13"));

        d.showTab(".15");
        SaleTabDriver::type(w.t15->edRedIn, "12");
        SaleTabDriver::type(w.t15->edRedFin, "345");
        SaleTabDriver::click(w.t15->BitBtn19);
        QCOMPARE(w.ui.edRecebido->text(), report("15"));

        const QStringList expected{"\\x1B.13S}", "\\x1B.13SCAIXA 1}", "\\x1B.1500120345}"};
        QCOMPARE(link.loggedFrames(), expected);
    }

    // Without the line feed after the end marker eqlink ends the report on its
    // time limit (2 s here), still within the window's 5 s wait.
    void reportEndedByTheLinkTimeLimit() {
        RealLink link;
        if (!link.start({"--no-trailer"}))
            QSKIP_OR_FAIL_UNDER_CI("ecfsim or eqlink is not built or did not start");
        SaleTabDriver d;
        QVERIFY(d.open(link.workingDir()));
        auto& w = d.w();

        d.showTab(".15");
        SaleTabDriver::type(w.t15->edRedIn, "1");
        SaleTabDriver::click(w.t15->BitBtn19);
        QCOMPARE(w.ui.edRecebido->text(), report("15"));
        QCOMPARE(link.loggedFrames(), QStringList{"\\x1B.1500010000}"});
    }
};

QTEST_MAIN(TestReportE2E)
#include "tst_report_e2e.moc"
