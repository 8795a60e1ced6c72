#include "zeft_ExitSignals.h"

#include "zeft_Main.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <iterator>
#include <sys/socket.h>
#include <unistd.h>

namespace zeft {

namespace {

constexpr int HandledSignals[] = {SIGTERM, SIGHUP, SIGINT};

int gSignalSocket = -1;
struct sigaction gPrevious[std::size(HandledSignals)];
volatile std::sig_atomic_t gSignalPending = 0;

extern "C" void NoteSignal(int signal) {
    // The event loop may be stuck: a second signal does what the first would have done.
    if (gSignalPending) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    gSignalPending = 1;
    const int savedErrno = errno;
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t written = write(gSignalSocket, &byte, 1);
    errno = savedErrno;
}

} // namespace

TExitSignals::TExitSignals(TZEFTMainForm& window) {
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, FSockets) != 0)
        return; // the signals keep their default actions
    gSignalSocket = FSockets[0];
    gSignalPending = 0;
    FNotifier = std::make_unique<QSocketNotifier>(FSockets[1], QSocketNotifier::Read);
    QObject::connect(FNotifier.get(), &QSocketNotifier::activated, &window, [this, &window] {
        char byte = 0;
        while (read(FSockets[1], &byte, 1) > 0) {
        }
        FNotifier->setEnabled(false);
        window.KeepForExit();
        // Every event loop ends, a modal dialog's as well; nothing closes the window.
        QCoreApplication::exit(0);
    });
    struct sigaction action {};
    action.sa_handler = NoteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(HandledSignals); ++i) {
        sigaction(HandledSignals[i], nullptr, &gPrevious[i]);
        // Ignored by whoever started the program (nohup, a background job): it stays so.
        if (gPrevious[i].sa_handler != SIG_IGN)
            sigaction(HandledSignals[i], &action, nullptr);
    }
}

TExitSignals::~TExitSignals() {
    for (std::size_t i = 0; i < std::size(HandledSignals); ++i)
        sigaction(HandledSignals[i], &gPrevious[i], nullptr);
    FNotifier.reset();
    gSignalSocket = -1;
    for (const int fd : FSockets)
        if (fd >= 0)
            close(fd);
}

} // namespace zeft
