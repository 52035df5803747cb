#include "cadhost/window/macro_session.h"

#include <QTimer>

namespace cadhost::window {

MacroSession::MacroSession(qx::host::Main_fn main, QObject* parent)
    : QObject(parent), driver_(main) {}

MacroSession::~MacroSession() {
    driver_.Finish();
}

RequestKind MacroSession::Waiting() const {
    return Running() ? driver_.Waiting().kind : RequestKind::None;
}

void MacroSession::Start() {
    if (Busy() || Running())
        return;
    ++depth_;
    const DriverState state = driver_.Start();
    --depth_;
    ++serial_;
    if (state == DriverState::Failed)
        emit Stuck(QString::fromStdString(driver_.FailureMessage()));
    emit Changed();
    Drain();
}

void MacroSession::Submit(const cadhost::Answer& answer) {
    queue_.push_back(answer);
    Drain();
}

void MacroSession::SubmitLater(const cadhost::Answer& answer) {
    QTimer::singleShot(0, this, [this, answer] { Submit(answer); });
}

void MacroSession::Finish() {
    queue_.clear();
    if (Busy())
        return;
    driver_.Finish();
    emit Changed();
}

void MacroSession::Drain() {
    while (!Busy() && !queue_.empty()) {
        const cadhost::Answer answer = queue_.front();
        queue_.pop_front();
        // Answers meant for an invocation that has ended go nowhere.
        if (!Running())
            continue;
        ++depth_;
        const std::string problem = driver_.Answer(answer);
        --depth_;
        ++serial_;
        if (!problem.empty())
            emit Refused(QString::fromStdString(problem));
        if (driver_.State() == DriverState::Failed)
            emit Stuck(QString::fromStdString(driver_.FailureMessage()));
        emit Changed();
    }
}

} // namespace cadhost::window
