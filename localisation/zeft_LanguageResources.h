#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace zeft {

using TLanguageId = std::uint16_t;

/// The process-wide current language: LanguageID holds a bare primary language (7) or a full
/// identifier (0x0407); every lookup uses MakeLanguageID(LanguageID, SublanguageID).
extern TLanguageId LanguageID;
extern TLanguageId SublanguageID;

TLanguageId MakeLanguageID(TLanguageId primary, TLanguageId sublanguage);
TLanguageId PrimaryLanguageID(TLanguageId id);
TLanguageId SubLanguageID(TLanguageId id);

/// The Windows-style language identifier of a locale: primary language (German 7, English 9,
/// French 12, Japanese 0x11, ...) and sublanguage (1 for the main country, 2 for en_GB, de_CH,
/// fr_BE, ...; 1 when the country has no number of its own). The C locale counts as en_US;
/// languages without a number give the neutral language 0.
TLanguageId LanguageIDFromLocale(const QLocale& locale);
/// The user's default language identifier, from QLocale::system().
TLanguageId UserDefaultLanguageID();
/// Sets LanguageID and SublanguageID from the user's default language.
void InitLanguageFromUserDefault();

/// Raised when a string block or raw-data resource exists in no language set.
class TResourceNotFound : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TResourceModule;
/// The resources compiled into the program.
const TResourceModule& ProgramModule();

/// The text of the string id in the current language.
QString LoadLanguageString(int id);
/// The text of the string id under MakeLanguageID(language, sublanguage), searched in module
/// (the program's own resources when null). Throws TResourceNotFound.
QString LoadLanguageString(int id, TLanguageId language, TLanguageId sublanguage,
                           const TResourceModule* module = nullptr);
/// The same text as UTF-8, for the model's template names.
std::string LoadLanguageStringUtf8(int id);

/// A copy of the raw-data resource of that name in the current language, owned by the caller;
/// null when the resource is empty. Throws TResourceNotFound when it exists in no language set.
std::unique_ptr<QByteArray> LoadLanguageResource(const QString& name);
std::unique_ptr<QByteArray> LoadLanguageResource(const QString& name, TLanguageId language,
                                                 TLanguageId sublanguage,
                                                 const TResourceModule* module = nullptr);

/// Day name for 1 = Monday .. 7 = Sunday; empty text for any other number.
QString DayName(int day);

/// A value of the program's version information: "FileVersion" and "ProductVersion" (the
/// project version, e.g. "1.0.0"), "CompanyName", "FileDescription", "ProductName",
/// "InternalName", "OriginalFilename"; names ignore case. Empty when unknown; never throws.
QString GetVersionInfoValue(const QString& key);

} // namespace zeft
