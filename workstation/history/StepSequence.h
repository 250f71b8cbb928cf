#pragma once
// Steps run one per turn of the event loop, so that the window repaints and
// handles clicks (a "Parar" among them) between them. A step itself may block,
// an exchange for up to its wait.

#include <QObject>
#include <functional>

namespace cuponex {

class StepSequence : public QObject {
    Q_OBJECT
  public:
    // Runs the next step; false when the sequence ends with it. It must not
    // throw: it runs under a Qt frame.
    using Step = std::function<bool()>;

    using QObject::QObject;

    // The first step runs on the next turn. Ignored while running.
    void start(Step step);
    // No step starts after the current one.
    void stop();
    bool running() const { return running_; }

  signals:
    // The sequence is over: stopped by stop(), or ended by a step.
    void finished(bool stopped);

  private:
    void next();
    void finish(bool stopped);

    Step step_;
    bool running_ = false;
    bool stopAsked_ = false;
};

}  // namespace cuponex
