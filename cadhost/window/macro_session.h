// The window's hold on the macro: one driver of its invocations, and the order in which a
// person's answers reach it. An answer that arrives while the macro is still busy with the last
// one (a key stroke from one of its windows while a dialog of it is open, say) waits its turn.
#pragma once

#include "cadhost/driver/macro_driver.h"

#include <QObject>

#include <cstdint>
#include <deque>

namespace cadhost::window {

class MacroSession : public QObject {
    Q_OBJECT
public:
    explicit MacroSession(qx::host::Main_fn main, QObject* parent = nullptr);
    ~MacroSession() override;

    bool Running() const { return driver_.State() == DriverState::Waiting && driver_.Running(); }
    // The request the macro waits on; none while it is not running.
    RequestKind Waiting() const;
    // Counts the requests the macro made, so that a prompt begins afresh for each.
    std::uint64_t RequestSerial() const { return serial_; }
    bool Busy() const { return depth_ > 0; }
    const MacroDriver& Driver() const { return driver_; }

    void Start();
    // Answers now, or as soon as the macro is done with what it does.
    void Submit(const cadhost::Answer& answer);
    // Answers on the next turn of the event loop: for answers that come from inside a widget of
    // the macro's, which the macro may delete while it handles them.
    void SubmitLater(const cadhost::Answer& answer);
    // Ends a running invocation (the host's last call).
    void Finish();

signals:
    // After every step of the macro: the labels, lines, drawing or request may have changed.
    void Changed();
    void Refused(const QString& why);
    void Stuck(const QString& why);

private:
    void Drain();

    MacroDriver driver_;
    std::deque<cadhost::Answer> queue_;
    int depth_ = 0;
    std::uint64_t serial_ = 0;
};

} // namespace cadhost::window
