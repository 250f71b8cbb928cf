#include "history/StepSequence.h"

#include <QTimer>

namespace cuponex {

void StepSequence::start(Step step) {
    if (running_) return;
    step_ = std::move(step);
    running_ = true;
    stopAsked_ = false;
    QTimer::singleShot(0, this, &StepSequence::next);
}

void StepSequence::stop() {
    if (running_) stopAsked_ = true;
}

void StepSequence::next() {
    if (stopAsked_) return finish(true);
    const bool more = step_();
    // Queued only now: whatever the step's wait left pending comes first.
    if (more && !stopAsked_) {
        QTimer::singleShot(0, this, &StepSequence::next);
        return;
    }
    finish(more);
}

void StepSequence::finish(bool stopped) {
    running_ = false;
    stopAsked_ = false;
    step_ = {};
    emit finished(stopped);
}

}  // namespace cuponex
