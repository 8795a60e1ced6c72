#include "TOpenFileRegistry.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace zeft {

TOpenFileRegistry::TOpenFileRegistry(QString folder) : FFolder(std::move(folder)) {}

TOpenFileRegistry::~TOpenFileRegistry() {
    Release();
}

void TOpenFileRegistry::Release() {
    for (const int fd : FLocks)
        ::close(fd);
    FLocks.clear();
    FHeld.clear();
}

bool TOpenFileRegistry::Hold(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (canonical == FHeld && !FLocks.empty())
        return false;
    Release();
    if (FFolder.isEmpty() || canonical.isEmpty() || !QDir().mkpath(FFolder))
        return false;
    FHeld = canonical;
    // One name for the file however it is reached: its path through links, "..", or relative;
    // and its device and inode, which its other hard-link names share.
    bool elsewhere = Lock(QFile::encodeName(canonical));
    struct stat st {};
    if (::stat(QFile::encodeName(canonical).constData(), &st) == 0)
        elsewhere |= Lock("inode " + QByteArray::number(static_cast<qulonglong>(st.st_dev)) + " " +
                          QByteArray::number(static_cast<qulonglong>(st.st_ino)));
    return elsewhere;
}

bool TOpenFileRegistry::Lock(const QByteArray& name) {
    const QByteArray key =
        QCryptographicHash::hash(name, QCryptographicHash::Sha256).toHex().left(32);
    const QByteArray lockPath = QFile::encodeName(FFolder) + "/" + key + ".lock";
    const int fd = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false;
    FLocks.push_back(fd);
    // Alone when the lock can be had for this copy only; then shared like the others'.
    int taken;
    while ((taken = ::flock(fd, LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    const bool elsewhere = taken != 0;
    while (::flock(fd, LOCK_SH) != 0 && errno == EINTR) {
    }
    return elsewhere;
}

} // namespace zeft
