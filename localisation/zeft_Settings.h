#pragma once

#include "zeft_LanguageResources.h"

#include <QSettings>
#include <QString>
#include <stdexcept>

namespace zeft {

/// A settings value that could not be stored: its name and the store it was meant for.
class TSettingsError : public std::runtime_error {
public:
    TSettingsError(const QString& valueName, const QString& store, const QString& message)
        : std::runtime_error(message.toStdString()), FValueName(valueName), FStore(store) {}
    const QString& ValueName() const { return FValueName; }
    const QString& Store() const { return FStore; }

private:
    QString FValueName;
    QString FStore;
};

/// The per-user settings: interface language and last schedule file, in
/// QSettings(NativeFormat, UserScope, "Pellwick", "ZEFT"): groups "UI" ("LanguageID",
/// "SublanguageID") and "MRU" ("a"); on Linux ~/.config/Pellwick/ZEFT.conf. Holds no state;
/// every read and write opens the user's own store afresh (never the organisation-wide or
/// system-wide stores behind it).
///
/// Reads never fail: a missing value, or one of another type, gives the current LanguageID or
/// SublanguageID, or empty text. Where the store keeps types (the registry) a language value
/// must be an integer; a text "1031" is ignored. A text file keeps no types, so there a
/// language value counts as an integer only when it is a plain unquoted decimal number of at
/// most 32 bits, as the program writes it ("German", "0x407", "-7" or ""1031"" are texts). Integers
/// are taken as their low 16 bits. A write that cannot be stored throws TSettingsError naming the
/// value.
class TZEFTSettings {
public:
    /// The native store; tests may name a format of their own (one that keeps types, as the
    /// registry does).
    explicit TZEFTSettings(QSettings::Format format = QSettings::NativeFormat) : FFormat(format) {}

    TLanguageId ReadLanguageID() const;
    TLanguageId ReadSublanguageID() const;
    QString ReadLastFile() const;
    void WriteLanguageID(TLanguageId value) const;
    void WriteSublanguageID(TLanguageId value) const;
    void WriteLastFile(const QString& path) const;

private:
    QSettings::Format FFormat;
};

} // namespace zeft
