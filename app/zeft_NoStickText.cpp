#include "zeft_NoStickText.h"

#include "zeft_LanguageResources.h"
#include "zeft_Main.h"
#include "zeft_Routines.h"
#include "zeft_StringIds.h"

#include <QDir>
#include <QFile>
#include <cstring>

namespace zeft {

namespace {

QString DirectoryFaultText(const TDirectoryProblem& problem) {
    switch (problem.Fault) {
    case TDirectoryFault::SymbolicLink:
        return LoadLanguageString(TextId::DirectoryIsLink);
    case TDirectoryFault::NotADirectory:
        return LoadLanguageString(TextId::DirectoryNotFolder);
    case TDirectoryFault::OtherOwner:
        return LoadLanguageString(TextId::DirectoryOtherOwner);
    case TDirectoryFault::LockFileUnusable:
        return LoadLanguageString(TextId::LockFileUnusable);
    case TDirectoryFault::NoFileLocks:
        return LoadLanguageString(TextId::NoFileLocks);
    case TDirectoryFault::SystemError:
    case TDirectoryFault::None:
    case TDirectoryFault::NoneKnown:
        break;
    }
    // The usual causes in the user's language, as for a failed save; the rest as the system
    // words them.
    const QString why =
        SaveFailureReason({QString::fromLocal8Bit(std::strerror(problem.Error)), problem.Error});
    return FormatText(LoadLanguageString(TextId::DirectoryNotSetUp), {why});
}

} // namespace

QString NoStickText(const TNoStickCause& cause) {
    switch (cause.Reason) {
    case TNoStickReason::NoAccess:
        return LoadLanguageString(TextId::StickNotPermitted);
    case TNoStickReason::InUse:
        return LoadLanguageString(TextId::StickInUse);
    case TNoStickReason::NoLockDirectory:
        if (cause.Directory.Fault == TDirectoryFault::NoneKnown)
            return LoadLanguageString(TextId::NoPrivateDirectory);
        return FormatText(
            LoadLanguageString(TextId::StickLockDirectory),
            {QDir::toNativeSeparators(QFile::decodeName(cause.Directory.Directory.c_str())),
             DirectoryFaultText(cause.Directory)});
    case TNoStickReason::NotFound:
        break;
    }
    return LoadLanguageString(TextId::StickMissing);
}

} // namespace zeft
