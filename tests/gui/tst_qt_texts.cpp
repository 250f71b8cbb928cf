// Qt's own dialogs speak Portuguese, as the rest of the window.
#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>

#include "app/QtTexts.h"

class QtTextsTest : public QObject {
    Q_OBJECT

  private slots:
    void standardButtonsArePortuguese() {
        QVERIFY2(cuponex::loadPortugueseQtTexts(*qApp),
                 "Qt's translations are missing (scripts/setup.sh installs them)");
        QDialogButtonBox box(QDialogButtonBox::Open | QDialogButtonBox::Save |
                             QDialogButtonBox::Cancel);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Cancelar"));
        QCOMPARE(box.button(QDialogButtonBox::Save)->text(), QStringLiteral("Salvar"));
        QCOMPARE(box.button(QDialogButtonBox::Open)->text(), QStringLiteral("Abrir"));
    }
};

QTEST_MAIN(QtTextsTest)
#include "tst_qt_texts.moc"
