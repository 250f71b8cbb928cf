#pragma once
// Helpers shared by the window tests: a stand-in link program, the real link
// program on the simulated printer, and a capture of the message boxes.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "ChildProcess.h"

class TfrmHistorico;
class TfrmPrincipal;

namespace testsupport {

// Takes each eq.MSG from a directory on a thread of its own (the window's
// wait blocks the test's thread), records its bytes and publishes a reply as
// eq.RSP through a rename, as the link program does.
class FakeLink {
  public:
    using Reply = std::function<std::string(const std::string& request)>;
    explicit FakeLink(const QString& dirWithSlash, Reply reply = {});
    ~FakeLink();

    std::vector<std::string> requests() const;
    std::string lastRequest() const;

  private:
    void serve();
    std::string dir_;
    Reply reply_;
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// The texts of the program's message boxes while it lives; no box is shown.
class MessageCapture {
  public:
    MessageCapture();
    ~MessageCapture();
    QStringList errors;
    QStringList informations;
};

// ecfsim on a pseudo-terminal and eqlink on it, in a temporary directory.
class RealLink {
  public:
    bool start(const QStringList& simOptions = {});  // false if either failed to start
    QString workingDir() const;                      // with a trailing "/"
    QStringList loggedFrames() const;                // ecfsim's log, one escaped frame a line

  private:
    QTemporaryDir temp_;
    std::unique_ptr<ChildProcess> sim_;
    std::unique_ptr<ChildProcess> link_;  // stopped before the printer
};

// The main window working in `dirWithSlash` and its history window, opened
// by a click on "Histórico" and active; nullptr when it did not come up.
TfrmHistorico* openHistoryOn(TfrmPrincipal& main, const QString& dirWithSlash);

// Reads a whole file as bytes ("" when missing).
std::string readFile(const QString& path);

}  // namespace testsupport
