// The entry rules on real key and focus events: key filters, exit rules, the
// conversion error and the click it must swallow.

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "GuiTestSupport.h"
#include "UserLocales.h"
#include "ui_tab01.h"
#include "widgets/RadioGroup.h"
#include "window/uPrincipal.h"

using testsupport::FakeLink;
using testsupport::MessageCapture;

class EntryRulesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TfrmPrincipal> w_;
    QTemporaryDir dir_;

    QLineEdit* field(const char* name) { return w_->findChild<QLineEdit*>(QLatin1String(name)); }

    void showTab(const char* sheet) {
        w_->ui.PageControl1->setCurrentWidget(w_->findChild<QWidget*>(QLatin1String(sheet)));
    }

    // A click as the window system delivers it: through the window, so the
    // window sees it before any widget does.
    void click(QWidget* target) {
        QTest::mouseClick(w_->windowHandle(), Qt::LeftButton, {},
                          target->mapTo(w_.get(), target->rect().center()));
    }

    // Types into a field and leaves it for another field with the mouse.
    void typeAndLeave(QLineEdit* into, const QString& typed, QWidget* next) {
        click(into);
        QCOMPARE(QApplication::focusWidget(), into);
        into->selectAll();
        QTest::keyClick(into, Qt::Key_Delete);
        QTest::keyClicks(into, typed);
        click(next);
    }

    void chooseLine(int line) {
        cuponex::setRadioItemIndex(w_->ui.rgLinha, line);
        w_->rgLinhaClick(w_->ui.rgLinha);
    }

  private slots:
    void init() {
        w_ = std::make_unique<TfrmPrincipal>();
        w_->ui.edCaminho->setText(dir_.path() + "/");
        w_->show();
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
    }
    void cleanup() { w_.reset(); }

    void amountKeysTurnPointIntoCommaAndDropTheRest() {
        click(field("edPreco"));
        QTest::keyClicks(field("edPreco"), "1a2.5x");
        QCOMPARE(field("edPreco")->text(), QStringLiteral("12,5"));
        QTest::keyClick(field("edPreco"), Qt::Key_Backspace);
        QCOMPARE(field("edPreco")->text(), QStringLiteral("12,"));
        QTest::keyClick(field("edPreco"), Qt::Key_Tab);
        QCOMPARE(field("edPreco")->text(), QStringLiteral("12,00"));
    }

    void digitKeysLetOnlyDigitsThrough() {
        showTab("TabSheet3");
        click(field("edItem"));
        QTest::keyClicks(field("edItem"), "a1,.2-");
        QCOMPARE(field("edItem")->text(), QStringLiteral("12"));
    }

    void priceRulesOfTab01() {
        // Typed in the focus order: description first, then the unit price.
        typeAndLeave(field("edPreco"), "2,5", field("edTotal"));
        QCOMPARE(field("edPreco")->text(), QStringLiteral("2,50"));
        typeAndLeave(field("edDesc"), "~ARROZ", field("edPreco"));
        typeAndLeave(field("edPreco"), "2,5", field("edTotal"));
        QCOMPARE(field("edPreco")->text(), QStringLiteral("2,500"));
        typeAndLeave(field("edTotal"), "3", field("edQuant"));
        QCOMPARE(field("edTotal")->text(), QStringLiteral("3,00"));  // always two decimals
        typeAndLeave(field("edDesc"), "|X", field("edPreco"));
        typeAndLeave(field("edPreco"), "3", field("edTotal"));
        QCOMPARE(field("edPreco")->text(), QStringLiteral("3,000"));
        typeAndLeave(field("edDesc"), "ARROZ", field("edTotal"));
        QCOMPARE(field("edPreco")->text(), QStringLiteral("3,000"));  // not rewritten again
        typeAndLeave(field("edPreco"), "1,257", field("edTotal"));
        QCOMPARE(field("edPreco")->text(), QStringLiteral("1,26"));
    }

    void quantityRulesAndBlanks() {
        typeAndLeave(field("edQuant"), "2", field("edTotal"));
        QCOMPARE(field("edQuant")->text(), QStringLiteral("2,000"));
        typeAndLeave(field("edQuant"), "0,0004", field("edTotal"));
        QCOMPARE(field("edQuant")->text(), QStringLiteral("0,000"));
        typeAndLeave(field("edQuant"), "-1", field("edTotal"));
        QCOMPARE(field("edQuant")->text(), QStringLiteral("-1,000"));
        typeAndLeave(field("edQuant"), "   ", field("edTotal"));
        QCOMPARE(field("edQuant")->text(), QStringLiteral("0,000"));
        // A normal form longer than the field is kept whole, not cut.
        typeAndLeave(field("edQuant"), "1000", field("edTotal"));
        QCOMPARE(field("edQuant")->text(), QStringLiteral("1000,000"));
        typeAndLeave(field("edPreco"), "10000", field("edTotal"));
        QCOMPARE(field("edPreco")->text(), QStringLiteral("10000,00"));
    }

    void ruleRunsWhenLeftUnchangedButNotOnDeactivation() {
        click(field("edTotal"));
        // Another window taking the activation does not run the rule.
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QCOMPARE(field("edTotal")->text(), QString());
        w_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w_.get()));
        QCOMPARE(QApplication::focusWidget(), field("edTotal"));
        QTest::keyClick(field("edTotal"), Qt::Key_Tab);
        QCOMPARE(field("edTotal")->text(), QStringLiteral("0,00"));
    }

    void conversionErrorIsShownWithAPeriodAndKeepsTheText() {
        MessageCapture boxes;
        typeAndLeave(field("edQuant"), "1,2,3", field("edTotal"));
        QCOMPARE(boxes.errors,
                 QStringList{QStringLiteral("'1,2,3' is not a valid floating point value.")});
        QCOMPARE(field("edQuant")->text(), QStringLiteral("1,2,3"));
        QCOMPARE(QApplication::focusWidget(), field("edQuant"));  // the click was dropped
        QTest::keyClick(field("edQuant"), Qt::Key_Tab);           // leaving by key reports again
        QCOMPARE(boxes.errors.size(), 2);
        QCOMPARE(field("edQuant")->text(), QStringLiteral("1,2,3"));
    }

    void failedRuleSwallowsTheClickThatLeftTheField() {
        MessageCapture boxes;
        FakeLink link(dir_.path() + "/");
        w_->ui.edRecebido->setText(QStringLiteral("before"));
        click(field("edQuant"));
        QTest::keyClicks(field("edQuant"), "abc");
        click(w_->t01->BitBtn1);
        QCOMPARE(boxes.errors,
                 QStringList{QStringLiteral("'abc' is not a valid floating point value.")});
        QVERIFY(link.requests().empty());
        QCOMPARE(w_->ui.edRecebido->text(), QStringLiteral("before"));

        // The shortcut of the button moves the focus too: still nothing sent.
        QTest::keyClick(field("edQuant"), Qt::Key_E, Qt::AltModifier);
        QTest::qWait(300);
        QVERIFY(link.requests().empty());
        QCOMPARE(boxes.errors.size(), 2);
        QCOMPARE(QApplication::focusWidget(), field("edQuant"));

        // Once the field is valid the same click sends.
        field("edQuant")->setText(QStringLiteral("1"));
        click(w_->t01->BitBtn1);
        QCOMPARE(field("edQuant")->text(), QStringLiteral("1,000"));
        QCOMPARE(link.requests().size(), size_t(1));
    }

    void discountTextIsANumberOnlyOnLine6100() {
        showTab("TabSheet1");
        typeAndLeave(field("edDescItemTexto"), "5", field("edDescItemValor"));
        QCOMPARE(field("edDescItemTexto")->text(), QStringLiteral("5"));
        typeAndLeave(field("edDescItemTexto"), "AB", field("edDescItemValor"));
        QCOMPARE(field("edDescItemTexto")->text(), QStringLiteral("AB"));
        chooseLine(1);
        MessageCapture boxes;
        typeAndLeave(field("edDescItemTexto"), "AB", field("edDescItemValor"));
        QCOMPARE(boxes.errors,
                 QStringList{QStringLiteral("'AB' is not a valid floating point value.")});
        typeAndLeave(field("edDescItemTexto"), "5", field("edDescItemValor"));
        QCOMPARE(field("edDescItemTexto")->text(), QStringLiteral("5,00"));
        showTab("TabSheet2");
        typeAndLeave(field("edDescSubText"), "2,5", field("edDescSubValor"));
        QCOMPARE(field("edDescSubText")->text(), QStringLiteral("2,50"));
    }

    void codeAndAttributeRules() {
        showTab("TabSheet3");
        click(field("edItem"));
        QTest::keyClick(field("edItem"), Qt::Key_Tab);
        QCOMPARE(field("edItem")->text(), QStringLiteral("000"));
        showTab("TabSheet9");
        typeAndLeave(field("edCodModa"), "5", field("edValorModa"));
        QCOMPARE(field("edCodModa")->text(), QStringLiteral("05"));
        showTab("TabSheet11");
        click(field("edAtrib1"));
        QTest::keyClick(field("edAtrib1"), Qt::Key_Tab);
        QCOMPARE(field("edAtrib1")->text(), QStringLiteral("0"));

        // The four-digit counter rule, on a field of its own.
        QLineEdit counter;
        for (auto [typed, written] : {std::pair{"12", "0012"}, {"", "0000"}, {"1,5", "0000"}}) {
            counter.setText(QLatin1String(typed));
            w_->edRedInExit(&counter);
            QCOMPARE(counter.text(), QLatin1String(written));
        }
    }

    // Under each locale the users have, as under "C": the fields' texts and
    // the frame sent.
    void amountsUseTheCommaWhateverTheLocale() {
        struct DefaultLocaleBack {
            ~DefaultLocaleBack() { QLocale::setDefault(QLocale::c()); }
        } back;
        MessageCapture boxes;
        std::vector<std::string> frames;
        for (const char* name : {"C", testsupport::kUserLocales[0], testsupport::kUserLocales[1]}) {
            const testsupport::ScopedLocale locale(name);
            QVERIFY2(locale.set(), testsupport::ScopedLocale::missing(name).c_str());
            QLocale::setDefault(QLocale(QString::fromLatin1(name).section('.', 0, 0)));
            typeAndLeave(field("edPreco"), "1.5", field("edTotal"));
            QCOMPARE(field("edPreco")->text(), QStringLiteral("1,50"));
            typeAndLeave(field("edQuant"), "2,5", field("edTotal"));
            QCOMPARE(field("edQuant")->text(), QStringLiteral("2,500"));
            FakeLink link(dir_.path() + "/");
            click(w_->t01->BitBtn1);
            QCOMPARE(boxes.errors + boxes.informations, QStringList());
            QCOMPARE(link.requests().size(), size_t(1));
            frames.push_back(link.lastRequest());
        }
        QCOMPARE(frames[1], frames[0]);
        QCOMPARE(frames[2], frames[0]);
    }
};

QTEST_MAIN(EntryRulesTest)
#include "tst_entry_rules.moc"
