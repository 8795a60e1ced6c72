#include "zeft_LanguageResources.h"
#include "zeft_Routines.h"

#include <cstdint>
#include <map>
#include <vector>

#ifndef ZEFT_VERSION
#error "ZEFT_VERSION must hold the program's version"
#endif

namespace zeft {

namespace {

/// The program's version information, laid out as a version resource: a translation table
/// and the strings of each translation under "\StringFileInfo\<language><code page>\<name>".
struct TVersionResource {
    std::vector<std::uint32_t> Translations; ///< language in the low, code page in the high half
    std::map<QString, QString> Strings;      ///< query path in upper case -> value
};

constexpr std::uint32_t EnglishUnicode = 0x0409 | (1200u << 16);

const TVersionResource& ProgramVersionResource() {
    static const TVersionResource resource = [] {
        TVersionResource result;
        result.Translations.push_back(EnglishUnicode);
        const QString prefix = QStringLiteral("\\STRINGFILEINFO\\040904B0\\");
        const QString version = QStringLiteral(ZEFT_VERSION);
        const std::pair<const char*, QString> values[] = {
            {"CompanyName", QStringLiteral("Pellwick")},
            {"FileDescription", QStringLiteral("Heating Controller Configuration Software")},
            {"FileVersion", version},
            {"InternalName", QStringLiteral("zeft")},
            {"OriginalFilename", QStringLiteral("zeft")},
            {"ProductName", QStringLiteral("Heating Controller Configuration Software")},
            {"ProductVersion", version},
        };
        for (const auto& [name, value] : values)
            result.Strings[prefix + QString::fromLatin1(name).toUpper()] = value;
        return result;
    }();
    return resource;
}

} // namespace

QString GetVersionInfoValue(const QString& key) {
    try {
        const TVersionResource& resource = ProgramVersionResource();
        if (resource.Translations.empty())
            return {};
        const std::uint32_t translation = resource.Translations.front();
        const QString path = FormatText(QStringLiteral("\\StringFileInfo\\%4.4x%4.4x\\%s"),
                                        {static_cast<long long>(translation & 0xFFFF),
                                         static_cast<long long>(translation >> 16), key},
                                        QLatin1Char('.'));
        // Version resource names are found regardless of case.
        const auto found = resource.Strings.find(path.toUpper());
        return found == resource.Strings.end() ? QString() : found->second;
    } catch (...) {
        return {};
    }
}

} // namespace zeft
