#include "zeft_QtOwnerThreadPoster.h"

#include <QMetaObject>

namespace zeft {

TQtOwnerThreadPoster::TQtOwnerThreadPoster(QObject* parent) : QObject(parent) {}

void TQtOwnerThreadPoster::Post(std::function<void()> fn) {
    {
        std::lock_guard lock(FMutex);
        FQueue.push_back(std::move(fn));
    }
    // Only a wake-up goes through Qt; the functions travel through the queue above.
    QMetaObject::invokeMethod(this, "RunPosted", Qt::QueuedConnection);
}

void TQtOwnerThreadPoster::RunPosted() {
    std::deque<std::function<void()>> posted;
    {
        std::lock_guard lock(FMutex);
        posted.swap(FQueue);
    }
    for (auto& fn : posted)
        fn();
}

} // namespace zeft
