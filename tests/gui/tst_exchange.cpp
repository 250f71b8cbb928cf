// The exchange through the working directory: the parameterless commands, the
// request file, the reply's first line, the timeout and the error cases.

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "GuiTestSupport.h"
#include "Latin1.h"
#include "uPrincipal.h"
#include "ui_tab05.h"
#include "ui_tab18.h"
#include "ui_tab42.h"

using testsupport::FakeLink;
using testsupport::MessageCapture;
using testsupport::readFile;

class ExchangeTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString prefix() const { return dir_.path() + "/"; }

    void useDir(TfrmPrincipal& w) { w.ui.edCaminho->setText(prefix()); }

  private slots:
    void init() {
        QDir d(dir_.path());
        for (const QString& f : d.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot |
                                            QDir::System | QDir::Hidden))
            d.remove(f), d.rmdir(f);
    }

    void everyParameterlessButtonSendsItsCode() {
        TfrmPrincipal w;
        useDir(w);
        FakeLink link(prefix(), [](const std::string& request) {
            return ".+" + request.substr(2, 2) + "0000";
        });
        const std::pair<const char*, const char*> buttons[] = {{"btnEnviaSemParametro", "05"},
                                                               {"BitBtn21", "18"},
                                                               {"BitBtn10", "21"},
                                                               {"BitBtn23", "22"},
                                                               {"BitBtn3", "23"},
                                                               {"BitBtn24", "25"},
                                                               {"BitBtn25", "26"},
                                                               {"BitBtn42", "42"},
                                                               {"BitBtn44", "43"},
                                                               {"BitBtn61", "53"}};
        for (const auto& [name, code] : buttons) {
            auto* button = w.findChild<QPushButton*>(QLatin1String(name));
            QVERIFY(button);
            QCOMPARE(button->text(),
                     QLatin1String(name == std::string("BitBtn3") ? "OK" : "&Enviar"));
            button->click();
            QCOMPARE(link.lastRequest(), std::string("\x1b.") + code + "}\n");
            QCOMPARE(w.ui.edEnviado->text(), QStringLiteral("\x1b.%1}").arg(code));
            QCOMPARE(w.ui.edRecebido->text(), ".+" + QLatin1String(code) + "0000");
        }
        QCOMPARE(link.requests().size(), size_t(10));
        QVERIFY(!QFile::exists(prefix() + "eq.RSP"));
    }

    void replyFirstLineWithoutCarriageReturnsAndLatin1() {
        TfrmPrincipal w;
        useDir(w);
        FakeLink link(prefix(),
                      [](const std::string&) { return std::string("A\rB\xc7\r\nsecond line\n"); });
        QCOMPARE(w.EnviaComando("05"), QStringLiteral("ABÇ"));
    }

    void emptyReplyIsShownEmpty() {
        TfrmPrincipal w;
        useDir(w);
        w.ui.edRecebido->setText(QStringLiteral("old"));
        FakeLink link(prefix(), [](const std::string&) { return std::string(); });
        w.t05->btnEnviaSemParametro->click();
        QCOMPARE(w.ui.edRecebido->text(), QString());
    }

    void commandTextGoesOutAsLatin1() {
        TfrmPrincipal w;
        useDir(w);
        FakeLink link(prefix());
        w.EnviaComando(cuponex::latin1(QStringLiteral("01AÇ€}")));
        QCOMPARE(link.lastRequest(), std::string("\x1b.01A\xc7?}}\n"));
    }

    void timeoutLeavesTheRequestAndRemovesALateReply() {
        TfrmPrincipal w;
        useDir(w);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(w.EnviaComando("05"), QStringLiteral(".-P006}"));
        QVERIFY(clock.elapsed() >= 5000 && clock.elapsed() < 6500);
        QCOMPARE(readFile(prefix() + "eq.MSG"), std::string("\x1b.05}\n"));
        QVERIFY(!QFile::exists(prefix() + "eqW.MSG"));  // written aside, renamed into place
        QCOMPARE(w.ui.edEnviado->text(), QStringLiteral("\x1b.05}"));
    }

    void staleReplyIsRemovedBeforeTheRequest() {
        TfrmPrincipal w;
        useDir(w);
        QFile stale(prefix() + "eq.RSP");
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write("STALE");
        stale.close();
        FakeLink link(prefix(), [](const std::string&) { return std::string("FRESH"); });
        QCOMPARE(w.EnviaComando("05"), QStringLiteral("FRESH"));
    }

    void pathWithoutTrailingSlashIsPlainConcatenation() {
        TfrmPrincipal w;
        w.ui.edCaminho->setText(dir_.path());  // no "/"
        FakeLink link(prefix());
        QCOMPARE(w.EnviaComando("05"), QStringLiteral(".-P006}"));
        QVERIFY(link.requests().empty());
        QCOMPARE(readFile(dir_.path() + "eq.MSG"), std::string("\x1b.05}\n"));
        QFile::remove(dir_.path() + "eq.MSG");
    }

    void unwritableDirectoryShowsAnErrorAndKeepsTheReplyField() {
        MessageCapture boxes;
        TfrmPrincipal w;
        w.ui.edCaminho->setText(prefix() + "missing/");
        w.ui.edRecebido->setText(QStringLiteral("before"));
        w.t05->btnEnviaSemParametro->click();
        QCOMPARE(boxes.errors.size(), 1);
        QVERIFY(boxes.errors[0].endsWith('.'));
        QVERIFY2(boxes.errors[0].contains("missing/eqW.MSG"), qPrintable(boxes.errors[0]));
        QCOMPARE(w.ui.edRecebido->text(), QStringLiteral("before"));
        QCOMPARE(w.ui.edEnviado->text(), QStringLiteral("\x1b.05}"));
    }

    void unreadableReplyShowsAnError() {
        MessageCapture boxes;
        TfrmPrincipal w;
        useDir(w);
        w.ui.edRecebido->setText(QStringLiteral("before"));
        // A reply that is a directory exists but cannot be read.
        std::thread publisher([p = prefix()] {
            const std::string msg = QFile::encodeName(p + "eq.MSG").toStdString();
            while (::access(msg.c_str(), F_OK) != 0) usleep(100);
            ::mkdir(QFile::encodeName(p + "eq.RSP").constData(), 0755);
        });
        w.t05->btnEnviaSemParametro->click();
        publisher.join();
        QCOMPARE(boxes.errors.size(), 1);
        QCOMPARE(w.ui.edRecebido->text(), QStringLiteral("before"));
        QDir(prefix()).rmdir("eq.RSP");
    }

    void modeChangeFailureIsReportedAndTheReplyStillRead() {
        MessageCapture boxes;
        TfrmPrincipal w;
        useDir(w);
        // Files of /proc refuse a change of mode, even to root.
        std::thread publisher([p = prefix()] {
            const std::string msg = QFile::encodeName(p + "eq.MSG").toStdString();
            while (::access(msg.c_str(), F_OK) != 0) usleep(100);
            ::unlink(msg.c_str());
            ::symlink("/proc/self/status", QFile::encodeName(p + "eq.RSP").constData());
        });
        w.t05->btnEnviaSemParametro->click();
        publisher.join();
        QCOMPARE(boxes.informations,
                 QStringList{QStringLiteral("Erro ao mudar os direitos do arquivo de resposta")});
        QVERIFY(w.ui.edRecebido->text().startsWith(QStringLiteral("Name:")));
    }

    void replyModeIsOpenedUpForEveryone() {
        TfrmPrincipal w;
        useDir(w);
        // The reply is published as a link to a file we keep, so its mode can
        // be read after the window removed the reply.
        const QString kept = prefix() + "kept";
        QFile file(kept);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("OK");
        file.close();
        ::chmod(QFile::encodeName(kept).constData(), 0600);
        std::thread publisher([p = prefix(), kept] {
            const std::string msg = QFile::encodeName(p + "eq.MSG").toStdString();
            while (::access(msg.c_str(), F_OK) != 0) usleep(100);
            ::unlink(msg.c_str());
            ::symlink(QFile::encodeName(kept).constData(),
                      QFile::encodeName(p + "eq.RSP").constData());
        });
        QCOMPARE(w.EnviaComando("05"), QStringLiteral("OK"));
        publisher.join();
        struct stat seen {};
        QCOMPARE(::stat(QFile::encodeName(kept).constData(), &seen), 0);
        QCOMPARE(seen.st_mode & 07777, mode_t(0777));
    }

    void realLinkAndSimulatedPrinter() {
        testsupport::RealLink link;
        if (!link.start()) QSKIP("eqlink or ecfsim could not be started");
        TfrmPrincipal w;
        w.ui.edCaminho->setText(link.workingDir());
        for (auto* button : {w.t05->btnEnviaSemParametro, w.t18->BitBtn21, w.t42->BitBtn42}) {
            w.ui.edRecebido->clear();
            button->click();
            QVERIFY2(!w.ui.edRecebido->text().isEmpty(), "no reply");
            QVERIFY2(w.ui.edRecebido->text() != QStringLiteral(".-P006}"), "timed out");
        }
        const QStringList frames = link.loggedFrames();
        QCOMPARE(frames, (QStringList{"\\x1B.05}", "\\x1B.18}", "\\x1B.42}"}));
    }
};

QTEST_MAIN(ExchangeTest)
#include "tst_exchange.moc"
