#include "shell/termination_signals.h"

#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QObject>
#include <QSocketNotifier>

#include "foundation/log.h"
#include "shell/mainform.h"

namespace tavo {
namespace {

// The signal handler may only write to a descriptor; the UI thread reads the other end.
int signalPipe[2] = {-1, -1};

void OnSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

}  // namespace

void EndInOrderOnTerminationSignals(QObject& owner) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &owner);
    QObject::connect(notifier, &QSocketNotifier::activated, &owner, [] {
        char byte;
        [[maybe_unused]] const ssize_t n = ::read(signalPipe[0], &byte, 1);
        WriteLog("Beenden durch das System angefordert");
        OrderlyEnd();
    });
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    ::sigaction(SIGINT, &action, nullptr);
}

}  // namespace tavo
