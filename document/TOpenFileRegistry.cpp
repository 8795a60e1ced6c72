#include "TOpenFileRegistry.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace zeft {

TOpenFileRegistry::TOpenFileRegistry(QString folder) : FFolder(std::move(folder)) {}

TOpenFileRegistry::~TOpenFileRegistry() {
    Release();
}

void TOpenFileRegistry::Release() {
    if (FLock >= 0)
        ::close(FLock);
    FLock = -1;
    FHeld.clear();
}

bool TOpenFileRegistry::Hold(const QString& path) {
    // One name for the file however it is reached: through links, "..", or relative.
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical == FHeld && FLock >= 0)
        return false;
    Release();
    if (FFolder.isEmpty() || canonical.isEmpty() || !QDir().mkpath(FFolder))
        return false;
    const QByteArray key =
        QCryptographicHash::hash(QFile::encodeName(canonical), QCryptographicHash::Sha256)
            .toHex()
            .left(32);
    const QByteArray lockPath = QFile::encodeName(FFolder) + "/" + key + ".lock";
    FLock = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (FLock < 0)
        return false;
    FHeld = canonical;
    // Alone when the lock can be had for this copy only; then shared like the others'.
    int taken;
    while ((taken = ::flock(FLock, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    const bool elsewhere = taken != 0;
    while (::flock(FLock, LOCK_SH) != 0 && errno == EINTR) {
    }
    return elsewhere;
}

} // namespace zeft
