// A whole sale through the window, the real eqlink and the simulated printer:
// two items, one payment, the closing lines. Checks the frames the printer got.

#include <QCheckBox>
#include <QtTest>

#include "SaleTabDriver.h"
#include "SkipOrFail.h"
#include "ui_tab01.h"
#include "ui_tab10.h"
#include "ui_tab12.h"

using testsupport::RealLink;
using testsupport::SaleTabDriver;

class TestSaleCouponE2E : public QObject {
    Q_OBJECT

  private slots:
    void sellPayAndClose() {
        RealLink link;
        if (!link.start()) QSKIP_OR_FAIL_UNDER_CI("ecfsim or eqlink is not built or did not start");
        SaleTabDriver d;
        QVERIFY(d.open(link.workingDir()));
        auto& w = d.w();

        d.showTab(".01");
        SaleTabDriver::type(w.t01->edCodigo, "123");
        SaleTabDriver::type(w.t01->edDesc, "CAFE");
        SaleTabDriver::type(w.t01->edPreco, "3,5");
        SaleTabDriver::type(w.t01->edQuant, "2");
        SaleTabDriver::type(w.t01->edTotal, "7");
        SaleTabDriver::type(w.t01->mskAliquota, "T1");
        SaleTabDriver::click(w.t01->BitBtn1);
        QCOMPARE(w.ui.edRecebido->text(), QString(".+0100"));

        SaleTabDriver::type(w.t01->edCodigo, "45");
        SaleTabDriver::type(w.t01->edDesc, "PAO");
        SaleTabDriver::type(w.t01->edPreco, "0,5");
        SaleTabDriver::type(w.t01->edQuant, "6");
        SaleTabDriver::type(w.t01->edTotal, "3");
        SaleTabDriver::click(w.t01->BitBtn1);
        QCOMPARE(w.ui.edRecebido->text(), QString(".+0100"));

        d.showTab(".10");
        SaleTabDriver::type(w.t10->edCodModa, "1");
        SaleTabDriver::type(w.t10->edValorModa, "10");
        SaleTabDriver::click(w.t10->BitBtn15);
        SaleTabDriver::click(w.t10->BitBtn14);
        QCOMPARE(w.ui.edRecebido->text(), QString(".+1000"));

        d.showTab(".12");
        SaleTabDriver::type(w.t12->edAtrib1, "1");
        SaleTabDriver::type(w.t12->edLinha1, "VOLTE SEMPRE");
        SaleTabDriver::click(w.t12->BitBtn18);
        QCOMPARE(w.ui.edRecebido->text(), QString(".+1200"));

        QString closing = "\\x1B.12NN1VOLTE SEMPRE" + QString(28, ' ');
        for (int row = 2; row <= 8; ++row) closing += "0" + QString(40, ' ');
        const QStringList expected{
            "\\x1B.01          1230002000000000350000000000700CAFE                    T1 }",
            "\\x1B.01           450006000000000050000000000300PAO                     T1 }",
            "\\x1B.1001000000001000}",
            closing + "}",
        };
        QCOMPARE(link.loggedFrames(), expected);
    }
};

QTEST_MAIN(TestSaleCouponE2E)
#include "tst_sale_coupon_e2e.moc"
