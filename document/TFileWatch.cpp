#include "TFileWatch.h"

#include <QFileInfo>

namespace zeft {

TFileWatch::TFileWatch(const TScheduleDocument& document) : FDocument(document) {
    FSettle.setSingleShot(true);
    FSettle.setInterval(300);
    QObject::connect(&FWatcher, &QFileSystemWatcher::fileChanged, &FSettle,
                     qOverload<>(&QTimer::start));
    QObject::connect(&FWatcher, &QFileSystemWatcher::directoryChanged, &FSettle,
                     qOverload<>(&QTimer::start));
    QObject::connect(&FSettle, &QTimer::timeout, [this] { CheckNow(); });
}

void TFileWatch::Follow() {
    FSettle.stop();
    FTold = TScheduleDocument::TDiskState::Same;
    FToldStamp = {};
    const QStringList watched = FWatcher.files() + FWatcher.directories();
    if (!watched.isEmpty())
        FWatcher.removePaths(watched);
    Arm();
}

void TFileWatch::Arm() {
    const QString& path = FDocument.FileName();
    if (path.isEmpty())
        return;
    // The folder tells of a replace by rename and of a file that comes back; the file itself
    // of writes in place. A replaced file is a new one: it is watched again.
    const QString folder = QFileInfo(path).absolutePath();
    if (!FWatcher.directories().contains(folder))
        FWatcher.addPath(folder);
    if (QFileInfo::exists(path))
        FWatcher.addPath(path);
}

void TFileWatch::CheckNow() {
    FSettle.stop();
    Arm();
    const TScheduleDocument::TDiskState state = FDocument.DiskState();
    const TScheduleDocument::TFileStamp stamp = TScheduleDocument::StampOf(FDocument.FileName());
    if (state == FTold && (state != TScheduleDocument::TDiskState::Changed || stamp == FToldStamp))
        return;
    FTold = state;
    FToldStamp = stamp;
    if (OnDiskChange)
        OnDiskChange(state);
}

} // namespace zeft
