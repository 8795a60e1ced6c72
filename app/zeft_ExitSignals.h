#pragma once

#include <memory>

class QSocketNotifier;

namespace zeft {

class TZEFTMainForm;

/// SIGTERM, SIGHUP and SIGINT (a logout, a shutdown, kill, a closed terminal, Ctrl+C) end the
/// program cleanly: the window keeps the unsaved changes in the recovery copy and stores the
/// settings, and the event loop ends with exit code 0. The handler only writes the signal's
/// number into a socket; the rest happens in the event loop. A second signal before the first
/// is handled ends the program at once, as without this. A signal ignored at start (nohup)
/// stays ignored. One object at a time; the signals get their former actions back when it goes.
class TExitSignals {
public:
    explicit TExitSignals(TZEFTMainForm& window);
    ~TExitSignals();
    TExitSignals(const TExitSignals&) = delete;
    TExitSignals& operator=(const TExitSignals&) = delete;

private:
    int FSockets[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> FNotifier;
};

} // namespace zeft
