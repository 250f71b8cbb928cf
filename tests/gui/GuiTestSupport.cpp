#include "GuiTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QThread>
#include <chrono>
#include <cstdio>

#include "history/uHistorico.h"
#include "widgets/ErrorDisplay.h"
#include "window/uPrincipal.h"

namespace testsupport {

std::string readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
}

FakeLink::FakeLink(const QString& dirWithSlash, Reply reply)
    : dir_(QFile::encodeName(dirWithSlash).toStdString()), reply_(std::move(reply)) {
    if (!reply_) reply_ = [](const std::string&) { return std::string(".+OK"); };
    thread_ = std::thread([this] { serve(); });
}

FakeLink::~FakeLink() {
    stop_ = true;
    thread_.join();
}

void FakeLink::serve() {
    const std::string request = dir_ + "eq.MSG";
    const std::string temp = dir_ + "eqT.RSP";
    const std::string reply = dir_ + "eq.RSP";
    while (!stop_) {
        std::FILE* in = std::fopen(request.c_str(), "rb");
        if (!in) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            continue;
        }
        std::string bytes;
        char chunk[4096];
        size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0) bytes.append(chunk, n);
        std::fclose(in);
        std::remove(request.c_str());
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(bytes);
        }
        const std::string answer = reply_(bytes);
        if (std::FILE* out = std::fopen(temp.c_str(), "wb")) {
            std::fwrite(answer.data(), 1, answer.size(), out);
            std::fclose(out);
            std::rename(temp.c_str(), reply.c_str());
        }
    }
}

std::vector<std::string> FakeLink::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

std::string FakeLink::lastRequest() const {
    std::lock_guard lock(mutex_);
    return requests_.empty() ? std::string() : requests_.back();
}

namespace {
cuponex::MessageBoxes saved;
}

MessageCapture::MessageCapture() {
    saved = cuponex::messageBoxes();
    cuponex::messageBoxes().error = [this](QWidget*, const QString& text) { errors << text; };
    cuponex::messageBoxes().information = [this](QWidget*, const QString& text) {
        informations << text;
    };
}

MessageCapture::~MessageCapture() {
    cuponex::messageBoxes() = saved;
}

bool RealLink::start(const QStringList& simOptions) {
#if defined(ECFSIM_PATH) && defined(EQLINK_PATH)
    const std::string device =
        QFile::encodeName(temp_.filePath(QStringLiteral("ttyECF"))).toStdString();
    const std::string frames =
        QFile::encodeName(temp_.filePath(QStringLiteral("frames.log"))).toStdString();
    std::vector<std::string> simArgs{"--link", device, "--unpaced", "--log", frames};
    for (const QString& option : simOptions) simArgs.push_back(option.toStdString());
    sim_ = std::make_unique<ChildProcess>(ECFSIM_PATH, simArgs);
    if (!sim_->firstLine()) return false;  // the device is there once it says so
    const std::string parent =
        QFile::encodeName(temp_.filePath(QStringLiteral("ecf"))).toStdString();
    QDir(temp_.path()).mkdir(QStringLiteral("ecf"));
    link_ = std::make_unique<ChildProcess>(
        EQLINK_PATH, std::vector<std::string>{"-d", device, "-p", parent, "-T", "2"});
    // eqlink creates its working directory at start-up.
    for (int i = 0; i < 500 && link_->running() && !QDir(workingDir()).exists(); ++i)
        QThread::msleep(10);
    QThread::msleep(50);
    return link_->running() && QDir(workingDir()).exists();
#else
    Q_UNUSED(simOptions);
    return false;
#endif
}

// eqlink names its working sub-directory after the device's base name.
QString RealLink::workingDir() const {
    return temp_.filePath(QStringLiteral("ecf/ttyECF/"));
}

QStringList RealLink::loggedFrames() const {
    const QString log =
        QString::fromLatin1(readFile(temp_.filePath(QStringLiteral("frames.log"))).c_str());
    return log.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

TfrmHistorico* openHistoryOn(TfrmPrincipal& main, const QString& dirWithSlash) {
    main.ui.edCaminho->setText(dirWithSlash);
    main.ui.btnHistorico->click();
    auto* history = main.findChild<TfrmHistorico*>(QStringLiteral("frmHistorico"));
    return history && QTest::qWaitForWindowActive(history) ? history : nullptr;
}

}  // namespace testsupport
