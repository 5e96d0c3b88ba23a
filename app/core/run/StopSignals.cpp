// SIGINT, SIGTERM and SIGHUP as a request to stop, delivered through the event loop; SIGXFSZ ignored.
#include "run/StopSignals.h"

#include <array>
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace {

constexpr std::array<int, 3> kStopSignals = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t caught = 0;
// The pipe the handler writes the signal's number to; the event loop watches its other end.
int pipeEnds[2] = {-1, -1};
std::array<struct sigaction, kStopSignals.size()> previous{};
struct sigaction previousFileSize {};

// Async-signal-safe: a flag and one write, errno as it was.
extern "C" void OnStopSignal(int signal) {
    const int savedErrno = errno;
    caught = 1;
    const unsigned char number = static_cast<unsigned char>(signal);
    if (pipeEnds[1] >= 0 && ::write(pipeEnds[1], &number, 1) != 1) {
        // A full pipe holds a signal already: the flag says the rest.
    }
    errno = savedErrno;
}

} // namespace

StopSignals::StopSignals(QObject* parent) : QObject(parent) {
    caught = 0;
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) == 0) {
        notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &StopSignals::Drain);
    } else {
        pipeEnds[0] = pipeEnds[1] = -1; // no Received then: Caught() alone tells of a signal
    }
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t i = 0; i < kStopSignals.size(); ++i)
        ::sigaction(kStopSignals[i], &action, &previous[i]);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGXFSZ, &ignore, &previousFileSize);
}

StopSignals::~StopSignals() {
    for (size_t i = 0; i < kStopSignals.size(); ++i)
        ::sigaction(kStopSignals[i], &previous[i], nullptr);
    ::sigaction(SIGXFSZ, &previousFileSize, nullptr);
    delete notifier_;
    for (int& end : pipeEnds) {
        if (end >= 0)
            ::close(end);
        end = -1;
    }
}

bool StopSignals::Caught() {
    return caught != 0;
}

void StopSignals::Drain() {
    unsigned char numbers[16];
    ssize_t got = 0;
    while ((got = ::read(pipeEnds[0], numbers, sizeof numbers)) > 0)
        for (ssize_t i = 0; i < got; ++i)
            emit Received(numbers[i]);
}
