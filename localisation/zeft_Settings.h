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

/// The per-user settings: interface language and last schedule file, in
/// QSettings(NativeFormat, UserScope, "Pellwick", "ZEFT"): groups "UI" ("LanguageID",
/// "SublanguageID") and "MRU" ("a"); on Linux ~/.config/Pellwick/ZEFT.conf. Holds no state;
/// every read and write opens the store afresh.
///
/// Reads never fail: a missing value, or one of another type, gives the current LanguageID or
/// SublanguageID, or empty text. A text file keeps no types, so there a language value counts
/// as an integer only when it is a plain unquoted decimal number of at most 32 bits, as the
/// program writes it ("German", "0x407", "-7" or ""1031"" are texts). Integers are taken as
/// their low 16 bits. A write that cannot be stored throws TSettingsError naming the value.
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
