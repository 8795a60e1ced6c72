#pragma once

#include "TScheduleDocument.h"

#include <QFileSystemWatcher>
#include <QTimer>
#include <functional>

namespace zeft {

/// Watches the document's file for what other programs do to it: written in place, replaced
/// by rename (as editors and sync tools save), removed. Each change is told once, after the
/// file has settled; the document's own saves are not changes.
class TFileWatch {
public:
    explicit TFileWatch(const TScheduleDocument& document);

    /// Watches the document's file name as it is now (after a load or a save under a new
    /// name), and forgets what was told about the one before.
    void Follow();
    /// Looks at the file now rather than when the system next reports.
    void CheckNow();

    /// The file differs from what the document read or wrote (Changed), or is gone (Missing);
    /// Same when it is back as the document left it, so that a notice can go.
    std::function<void(TScheduleDocument::TDiskState state)> OnDiskChange;

private:
    void Arm();

    const TScheduleDocument& FDocument;
    QFileSystemWatcher FWatcher;
    /// Changes come in bursts (truncate, write, rename): they are looked at once it is quiet.
    QTimer FSettle;
    TScheduleDocument::TDiskState FTold = TScheduleDocument::TDiskState::Same;
    /// The disk identity last told, so that a second change by the other program is told too.
    TScheduleDocument::TFileStamp FToldStamp;
};

} // namespace zeft
