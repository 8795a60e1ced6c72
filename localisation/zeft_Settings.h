#pragma once

#include "zeft_LanguageResources.h"

#include <QString>
#include <stdexcept>

namespace zeft {

/// A settings value that could not be stored.
class TSettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The per-user settings: interface language and last schedule file. Holds no state; every
/// read and write opens the store afresh. Reads never fail and fall back to the defaults.
class TZEFTSettings {
public:
    TLanguageId ReadLanguageID() const;
    TLanguageId ReadSublanguageID() const;
    QString ReadLastFile() const;
    void WriteLanguageID(TLanguageId value) const;
    void WriteSublanguageID(TLanguageId value) const;
    void WriteLastFile(const QString& path) const;
};

} // namespace zeft
