#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace maporv {

// SIGTERM and SIGHUP (a logout, a shutdown, a closed terminal) as a call on the main
// thread. The signal handler only writes one byte into a socket pair, which is all a
// handler may safely do; the notifier of the other end makes the call from the event
// loop. The handlers before are back once the object goes. One instance at a time.
class TerminationSignals {
public:
    explicit TerminationSignals(std::function<void()> onSignal);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // False when the signals could not be caught (they then end the process as usual).
    bool active() const { return notifier_ != nullptr; }

private:
    void readSignals();

    std::function<void()> onSignal_;
    int sockets_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace maporv
