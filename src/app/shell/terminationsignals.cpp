#include "app/shell/terminationsignals.h"

#include <cerrno>
#include <csignal>
#include <iterator>
#include <sys/socket.h>
#include <unistd.h>

namespace maporv {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP};

// The write end for the handler; -1 while no instance catches the signals.
volatile std::sig_atomic_t signalSocket = -1;
struct sigaction previousActions[std::size(kSignals)];

extern "C" void onTerminationSignal(int) {
    const int savedErrno = errno;
    const char byte = 1;
    if (signalSocket >= 0) {
        [[maybe_unused]] const ssize_t written = ::write(signalSocket, &byte, 1);
    }
    errno = savedErrno;
}

} // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignal)
    : onSignal_(std::move(onSignal)) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, sockets_) != 0) {
        sockets_[0] = sockets_[1] = -1;
        return;
    }
    signalSocket = sockets_[0];
    notifier_ = std::make_unique<QSocketNotifier>(sockets_[1], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readSignals(); });

    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        sigaction(kSignals[i], &action, &previousActions[i]);
    }
}

TerminationSignals::~TerminationSignals() {
    if (!notifier_) {
        return;
    }
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        sigaction(kSignals[i], &previousActions[i], nullptr);
    }
    signalSocket = -1;
    notifier_.reset();
    ::close(sockets_[0]);
    ::close(sockets_[1]);
}

void TerminationSignals::readSignals() {
    char bytes[16];
    bool any = false;
    while (::read(sockets_[1], bytes, sizeof bytes) > 0) {
        any = true;
    }
    if (any && onSignal_) {
        onSignal_();
    }
}

} // namespace maporv
