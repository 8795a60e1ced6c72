#include "TRecoveryStore.h"

#include "TScheduleDocument.h"
#include "TScheduleFileError.h"
#include "zeft_AtomicFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUndoStack>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace zeft {

// --- TFileLock -------------------------------------------------------------------------------

TFileLock::~TFileLock() {
    if (FFd >= 0)
        close(FFd);
}

TFileLock::TFileLock(TFileLock&& other) noexcept
    : FFd(std::exchange(other.FFd, -1)), FPath(std::move(other.FPath)) {}

TFileLock& TFileLock::operator=(TFileLock&& other) noexcept {
    if (this != &other) {
        if (FFd >= 0)
            close(FFd);
        FFd = std::exchange(other.FFd, -1);
        FPath = std::move(other.FPath);
    }
    return *this;
}

bool TFileLock::Take(const QString& path, bool exclusive) {
    // Close-on-exec: a program started from here (a browser for the help) must not hold the
    // lock on after this one has ended.
    const int fd = open(QFile::encodeName(path).constData(),
                        O_RDWR | O_CREAT | O_CLOEXEC | (exclusive ? O_EXCL : 0), 0600);
    if (fd < 0)
        return false;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    *this = {};
    FFd = fd;
    FPath = path;
    return true;
}

void TFileLock::RemoveAndRelease() {
    if (FFd < 0)
        return;
    QFile::remove(FPath);
    close(FFd);
    FFd = -1;
}

// --- TRecoveryStore --------------------------------------------------------------------------

namespace {

constexpr std::size_t MaxDescriptionSize = 64 * 1024;

QString Stem(int serial) {
    return QStringLiteral("%1-%2-%3")
        .arg(QCoreApplication::applicationPid())
        .arg(QDateTime::currentMSecsSinceEpoch())
        .arg(serial);
}

int NextSerial() {
    static std::atomic<int> serial{0};
    return ++serial;
}

} // namespace

TRecoveryStore::TRecoveryStore(TScheduleDocument& document, QString folder, int delayMs)
    : FDocument(document), FFolder(std::move(folder)), FStem(Stem(NextSerial())) {
    FTimer.setSingleShot(true);
    FTimer.setInterval(delayMs);
    QObject::connect(&FTimer, &QTimer::timeout, &FTimer, [this] { Flush(); });
    // Every change is a step, an undo or a redo of the history; the timer goes with the store.
    QUndoStack& history = document.UndoStack();
    QObject::connect(&history, &QUndoStack::indexChanged, &FTimer, [this] { Changed(); });
    QObject::connect(&history, &QUndoStack::cleanChanged, &FTimer, [this] { Changed(); });
}

TRecoveryStore::~TRecoveryStore() {
    FTimer.stop();
    // Without a copy the lock file is of no use; with one, its free lock tells the next start
    // that the copy is to be offered.
    if (!FWritten)
        FLock.RemoveAndRelease();
}

QString TRecoveryStore::DefaultFolder() {
    // Qt of Debian 12 knows no state location yet: the XDG rule, relative paths ignored.
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/zeft/recovery");
}

QString TRecoveryStore::FilePath(const char* suffix) const {
    return FFolder + QLatin1Char('/') + FStem + QLatin1String(suffix);
}

QString TRecoveryStore::CopyPath() const {
    return FWritten ? FilePath(".zeft") : QString();
}

void TRecoveryStore::Changed() {
    FGivenUp = false;
    if (FDocument.Modified()) {
        FTimer.start();
    } else {
        FTimer.stop();
        RemoveFiles();
    }
}

bool TRecoveryStore::TakeLock() {
    if (FLock.Held())
        return true;
    // The copies are the user's alone.
    QDir().mkpath(QFileInfo(FFolder).path());
    if (mkdir(QFile::encodeName(FFolder).constData(), 0700) != 0 && errno != EEXIST)
        return false;
    // A stem is never taken over: a store of another program with the same one (a pid used
    // again within the same millisecond) makes this one pick the next.
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (FLock.Take(FilePath(".lock"), true))
            return true;
        if (errno != EEXIST)
            return false;
        FStem = Stem(NextSerial());
    }
    return false;
}

bool TRecoveryStore::Flush() {
    FTimer.stop();
    if (!FDocument.Modified()) {
        RemoveFiles();
        return true;
    }
    if (FGivenUp)
        return true;
    if (!TakeLock()) {
        qWarning("Cannot keep a recovery copy in %s", qPrintable(FFolder));
        return false;
    }
    QJsonObject description;
    description[QStringLiteral("file")] = FDocument.FileName();
    description[QStringLiteral("written")] =
        QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
    description[QStringLiteral("pid")] = QCoreApplication::applicationPid();
    description[QStringLiteral("digest")] = QString::fromLatin1(FDocument.DiskDigest().toHex());
    try {
        // The copy first: a description always names a whole copy.
        FDocument.Locations().SaveToFile(QFile::encodeName(FilePath(".zeft")).toStdString());
        WriteFileAtomically(QFile::encodeName(FilePath(".json")).toStdString(),
                            QJsonDocument(description).toJson().toStdString());
    } catch (const TScheduleFileError& error) {
        qWarning("Cannot keep a recovery copy: %s", error.what());
        return false;
    }
    FWritten = true;
    return true;
}

void TRecoveryStore::Remove() {
    FTimer.stop();
    FGivenUp = true;
    RemoveFiles();
}

void TRecoveryStore::RemoveFiles() {
    if (!FWritten)
        return;
    // The description first: without it the copy is never offered.
    QFile::remove(FilePath(".json"));
    QFile::remove(FilePath(".zeft"));
    FWritten = false;
}

std::vector<TRecoveryCopy> TRecoveryStore::Orphans(const QString& folder) {
    std::vector<TRecoveryCopy> copies;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.json")}, QDir::Files)) {
        const QString stem = name.chopped(5);
        TRecoveryCopy copy;
        // Taken by a running program (this one included): not an orphan.
        if (!copy.Lock.Take(dir.filePath(stem + QStringLiteral(".lock"))))
            continue;
        copy.CopyPath = dir.filePath(stem + QStringLiteral(".zeft"));
        if (!QFileInfo(copy.CopyPath).isFile())
            continue;
        QJsonObject description;
        try {
            const std::string bytes = ReadRegularFile(
                QFile::encodeName(dir.filePath(name)).toStdString(), MaxDescriptionSize);
            description = QJsonDocument::fromJson(QByteArray::fromStdString(bytes)).object();
        } catch (const TScheduleFileError&) {
            continue;
        }
        copy.Written = QDateTime::fromString(
            description.value(QStringLiteral("written")).toString(), Qt::ISODateWithMs);
        if (!copy.Written.isValid())
            continue;
        copy.FileName = description.value(QStringLiteral("file")).toString();
        copy.DiskDigest =
            QByteArray::fromHex(description.value(QStringLiteral("digest")).toString().toLatin1());
        copies.push_back(std::move(copy));
    }
    std::sort(copies.begin(), copies.end(),
              [](const TRecoveryCopy& a, const TRecoveryCopy& b) { return a.Written > b.Written; });
    return copies;
}

void TRecoveryStore::Discard(TRecoveryCopy& copy) {
    QFile::remove(copy.CopyPath.chopped(5) + QStringLiteral(".json"));
    QFile::remove(copy.CopyPath);
    copy.Lock.RemoveAndRelease();
}

} // namespace zeft
