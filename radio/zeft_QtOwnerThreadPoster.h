#pragma once

#include <QObject>
#include <deque>
#include <functional>
#include <mutex>

namespace zeft {

/// Runs functions posted from any thread on the thread this object lives in, through that
/// thread's Qt event loop. Functions still queued when the object is destroyed never run.
class TQtOwnerThreadPoster : public QObject {
    Q_OBJECT
public:
    explicit TQtOwnerThreadPoster(QObject* parent = nullptr);

    /// Any thread.
    void Post(std::function<void()> fn);

private:
    Q_INVOKABLE void RunPosted();

    std::mutex FMutex;
    std::deque<std::function<void()>> FQueue;
};

} // namespace zeft
