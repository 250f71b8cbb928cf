// The exchange through the working directory: the parameterless commands, the
// request file, the reply's first line, the timeout and the error cases.

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "GuiTestSupport.h"
#include "SkipOrFail.h"
#include "history/ExchangeHistory.h"
#include "widgets/Latin1.h"
#include "window/uPrincipal.h"
#include "ui_tab05.h"
#include "ui_tab18.h"
#include "ui_tab42.h"
#include "widgets/Latin1.h"
#include "window/uPrincipal.h"

using testsupport::FakeLink;
using testsupport::MessageCapture;
using testsupport::readFile;

namespace {

std::string encoded(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Waits on a thread of its own for eq.MSG, removes it and calls `publish`
// with the path of eq.RSP, standing in for the link program.
std::thread publishOnRequest(const QString& prefix,
                             std::function<void(const std::string& reply)> publish) {
    return std::thread([msg = encoded(prefix + "eq.MSG"), reply = encoded(prefix + "eq.RSP"),
                        publish = std::move(publish)] {
        while (::access(msg.c_str(), F_OK) != 0) usleep(100);
        ::unlink(msg.c_str());
        publish(reply);
    });
}

// A regular file written under another name and renamed to `path`.
void publishFile(const std::string& path, const std::string& bytes, mode_t mode) {
    const std::string draft = path + ".new";
    const int fd = ::open(draft.c_str(), O_WRONLY | O_CREAT | O_TRUNC, mode);
    if (::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) return;
    ::fchmod(fd, mode);
    ::close(fd);
    ::rename(draft.c_str(), path.c_str());
}

// Takes one capability out of the calling thread's effective set for its
// lifetime (root keeps it in the permitted set and gets it back).
class WithoutCapability {
  public:
    explicit WithoutCapability(int capability) {
        if (::syscall(SYS_capget, &header_, saved_) != 0) return;
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[capability / 32].effective &= ~(1u << (capability % 32));
        dropped_ = ::syscall(SYS_capset, &header_, lowered) == 0;
    }
    ~WithoutCapability() {
        if (dropped_) ::syscall(SYS_capset, &header_, saved_);
    }
    bool dropped() const { return dropped_; }

  private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
    bool dropped_ = false;
};

}  // namespace

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

    // Nobody took the request: it is withdrawn, so a link started later never
    // sends it.
    void timeoutWithdrawsTheRequestNobodyTook() {
        TfrmPrincipal w;
        useDir(w);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(w.EnviaComando("05"), QStringLiteral(".-P006}"));
        QVERIFY(clock.elapsed() >= 5000 && clock.elapsed() < 6500);
        QCOMPARE(w.history()->log().outcome(0), cuponex::ExchangeOutcome::NotTaken);
        QCOMPARE(QDir(prefix()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                          QDir::NoDotAndDotDot),
                 QStringList());  // no eq.MSG, nor the names it was written and withdrawn by
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
        FakeLink inside(prefix());
        FakeLink beside(dir_.path(), [](const std::string&) { return std::string("BESIDE"); });
        QCOMPARE(w.EnviaComando("05"), QStringLiteral("BESIDE"));
        QVERIFY(inside.requests().empty());
        QCOMPARE(beside.lastRequest(), std::string("\x1b.05}\n"));
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

    // Another program keeps the directory locked for the whole wait: the
    // window says so, naming the directory as the field shows it.
    void directoryHeldByAnotherProgramShowsWhoHasIt() {
        MessageCapture boxes;
        TfrmPrincipal w;
        const QString dir = prefix() + QStringLiteral("ação/");
        QVERIFY(QDir().mkpath(dir));
        w.ui.edCaminho->setText(dir);
        w.ui.edRecebido->setText(QStringLiteral("before"));
        const int held = ::open(encoded(dir).c_str(), O_RDONLY | O_DIRECTORY);
        QCOMPARE(::flock(held, LOCK_EX), 0);
        w.t05->btnEnviaSemParametro->click();
        ::close(held);
        QCOMPARE(boxes.errors,
                 QStringList{"O diretório " + dir + " está em uso por outro programa."});
        QCOMPARE(w.ui.edRecebido->text(), QStringLiteral("before"));
        QVERIFY(!QFile::exists(dir + "eq.MSG"));
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
        // The reply belongs to another user (the link program running as one)
        // and the window's thread lacks the right to change others' modes.
        const std::string probe = encoded(prefix() + "probe");
        publishFile(probe, "", 0644);
        const bool givenAway = ::chown(probe.c_str(), 65534, 65534) == 0;
        ::unlink(probe.c_str());
        if (!givenAway) QSKIP("a file cannot be given to another user here");
        MessageCapture boxes;
        TfrmPrincipal w;
        useDir(w);
        std::thread publisher = publishOnRequest(prefix(), [](const std::string& reply) {
            publishFile(reply + ".own", "OK\n", 0644);
            ::chown((reply + ".own").c_str(), 65534, 65534);
            ::rename((reply + ".own").c_str(), reply.c_str());
        });
        {
            WithoutCapability notOwner(CAP_FOWNER);
            w.t05->btnEnviaSemParametro->click();
        }
        publisher.join();
        QCOMPARE(boxes.informations,
                 QStringList{QStringLiteral("Erro ao mudar os direitos do arquivo de resposta")});
        QCOMPARE(w.ui.edRecebido->text(), QStringLiteral("OK"));
        QVERIFY(boxes.errors.isEmpty());
    }

    void replyModeIsOpenedUpForEveryone() {
        TfrmPrincipal w;
        useDir(w);
        // The test keeps the reply open, so its mode can be read after the
        // window removed it.
        int kept = -1;
        std::thread publisher = publishOnRequest(prefix(), [&kept](const std::string& reply) {
            publishFile(reply + ".own", "OK", 0600);
            kept = ::open((reply + ".own").c_str(), O_RDONLY);
            ::rename((reply + ".own").c_str(), reply.c_str());
        });
        QCOMPARE(w.EnviaComando("05"), QStringLiteral("OK"));
        publisher.join();
        struct stat seen {};
        QCOMPARE(::fstat(kept, &seen), 0);
        ::close(kept);
        QCOMPARE(seen.st_mode & 07777, mode_t(0777));
    }

    void replyThatIsNotARegularFileIsRemovedUnreadAndShownAsAnError() {
        const std::string victim = encoded(prefix() + "victim");
        publishFile(victim, "SECRET", 0600);
        struct Odd {
            const char* kind;
            std::function<int(const std::string&)> make;
        };
        std::vector<Odd> odds = {
            {"symbolic link",
             [&](const std::string& at) { return ::symlink(victim.c_str(), at.c_str()); }},
            {"second name",
             [&](const std::string& at) { return ::link(victim.c_str(), at.c_str()); }},
            {"named pipe", [](const std::string& at) { return ::mkfifo(at.c_str(), 0666); }},
        };
        const std::string probe = encoded(prefix() + "probe");
        if (::mknod(probe.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0) {
            ::unlink(probe.c_str());
            odds.push_back({"device", [](const std::string& at) {
                                return ::mknod(at.c_str(), S_IFCHR | 0666, ::makedev(1, 3));
                            }});
        }

        MessageCapture boxes;
        TfrmPrincipal w;
        useDir(w);
        for (const Odd& odd : odds) {
            w.ui.edRecebido->setText(QStringLiteral("before"));
            const qsizetype errorsBefore = boxes.errors.size();
            std::thread publisher = publishOnRequest(prefix(), odd.make);
            QElapsedTimer clock;
            clock.start();
            w.t05->btnEnviaSemParametro->click();
            publisher.join();
            QVERIFY2(clock.elapsed() < 2000, odd.kind);  // no wait for a writer, nor a timeout
            QCOMPARE(boxes.errors.size(), errorsBefore + 1);
            QVERIFY2(boxes.errors.last().contains(QStringLiteral("eq.RSP")),
                     qPrintable(boxes.errors.last()));
            QCOMPARE(w.ui.edRecebido->text(), QStringLiteral("before"));
            struct stat left {};
            QVERIFY2(::lstat(encoded(prefix() + "eq.RSP").c_str(), &left) != 0, odd.kind);
        }
        QVERIFY(boxes.informations.isEmpty());
        struct stat seen {};
        QCOMPARE(::stat(victim.c_str(), &seen), 0);
        QCOMPARE(seen.st_mode & 07777, mode_t(0600));
        QCOMPARE(readFile(prefix() + "victim"), std::string("SECRET"));
    }

    void realLinkAndSimulatedPrinter() {
        testsupport::RealLink link;
        if (!link.start()) QSKIP_OR_FAIL_UNDER_CI("eqlink or ecfsim could not be started");
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
