#include "zeft_LanguageResources.h"

#include <QLocale>

namespace zeft {

namespace {

// Windows-style numbers: what a Windows system reports for the same user language, so stored
// settings mean the same on every platform.
constexpr TLanguageId LanguageNeutral = 0x00;
constexpr TLanguageId SublanguageDefault = 1;

struct TPrimaryLanguage {
    QLocale::Language Language;
    TLanguageId Primary;
};

constexpr TPrimaryLanguage PrimaryLanguages[] = {
    {QLocale::Arabic, 0x01},
    {QLocale::Bulgarian, 0x02},
    {QLocale::Catalan, 0x03},
    {QLocale::Chinese, 0x04},
    {QLocale::Czech, 0x05},
    {QLocale::Danish, 0x06},
    {QLocale::German, 0x07},
    {QLocale::Greek, 0x08},
    {QLocale::English, 0x09},
    {QLocale::Spanish, 0x0A},
    {QLocale::Finnish, 0x0B},
    {QLocale::French, 0x0C},
    {QLocale::Hebrew, 0x0D},
    {QLocale::Hungarian, 0x0E},
    {QLocale::Icelandic, 0x0F},
    {QLocale::Italian, 0x10},
    {QLocale::Japanese, 0x11},
    {QLocale::Korean, 0x12},
    {QLocale::Dutch, 0x13},
    {QLocale::NorwegianBokmal, 0x14},
    {QLocale::NorwegianNynorsk, 0x14},
    {QLocale::Polish, 0x15},
    {QLocale::Portuguese, 0x16},
    {QLocale::Romansh, 0x17},
    {QLocale::Romanian, 0x18},
    {QLocale::Russian, 0x19},
    {QLocale::Croatian, 0x1A},
    {QLocale::Serbian, 0x1A},
    {QLocale::Bosnian, 0x1A},
    {QLocale::Slovak, 0x1B},
    {QLocale::Albanian, 0x1C},
    {QLocale::Swedish, 0x1D},
    {QLocale::Thai, 0x1E},
    {QLocale::Turkish, 0x1F},
    {QLocale::Urdu, 0x20},
    {QLocale::Indonesian, 0x21},
    {QLocale::Ukrainian, 0x22},
    {QLocale::Belarusian, 0x23},
    {QLocale::Slovenian, 0x24},
    {QLocale::Estonian, 0x25},
    {QLocale::Latvian, 0x26},
    {QLocale::Lithuanian, 0x27},
    {QLocale::Tajik, 0x28},
    {QLocale::Persian, 0x29},
    {QLocale::Vietnamese, 0x2A},
    {QLocale::Armenian, 0x2B},
    {QLocale::Azerbaijani, 0x2C},
    {QLocale::Basque, 0x2D},
    {QLocale::Macedonian, 0x2F},
    {QLocale::Afrikaans, 0x36},
    {QLocale::Georgian, 0x37},
    {QLocale::Faroese, 0x38},
    {QLocale::Hindi, 0x39},
    {QLocale::Maltese, 0x3A},
    {QLocale::Irish, 0x3C},
    {QLocale::Malay, 0x3E},
    {QLocale::Kazakh, 0x3F},
    {QLocale::Swahili, 0x41},
    {QLocale::Bengali, 0x45},
    {QLocale::Tamil, 0x49},
    {QLocale::Welsh, 0x52},
    {QLocale::Galician, 0x56},
    {QLocale::Luxembourgish, 0x6E},
};

struct TSublanguage {
    QLocale::Language Language;
    QLocale::Territory Territory;
    TLanguageId Sublanguage;
};

// Countries other than a language's main country (which is sublanguage 1).
constexpr TSublanguage Sublanguages[] = {
    {QLocale::German, QLocale::Switzerland, 2},
    {QLocale::German, QLocale::Austria, 3},
    {QLocale::German, QLocale::Luxembourg, 4},
    {QLocale::German, QLocale::Liechtenstein, 5},
    {QLocale::English, QLocale::UnitedKingdom, 2},
    {QLocale::English, QLocale::Australia, 3},
    {QLocale::English, QLocale::Canada, 4},
    {QLocale::English, QLocale::NewZealand, 5},
    {QLocale::English, QLocale::Ireland, 6},
    {QLocale::English, QLocale::SouthAfrica, 7},
    {QLocale::English, QLocale::Jamaica, 8},
    {QLocale::English, QLocale::Belize, 10},
    {QLocale::English, QLocale::TrinidadAndTobago, 11},
    {QLocale::English, QLocale::Zimbabwe, 12},
    {QLocale::English, QLocale::Philippines, 13},
    {QLocale::English, QLocale::India, 16},
    {QLocale::English, QLocale::Malaysia, 17},
    {QLocale::English, QLocale::Singapore, 18},
    {QLocale::French, QLocale::Belgium, 2},
    {QLocale::French, QLocale::Canada, 3},
    {QLocale::French, QLocale::Switzerland, 4},
    {QLocale::French, QLocale::Luxembourg, 5},
    {QLocale::French, QLocale::Monaco, 6},
    {QLocale::Spanish, QLocale::Spain, 3}, // modern sort, what Windows reports for Spain
    {QLocale::Spanish, QLocale::Mexico, 2},
    {QLocale::Spanish, QLocale::Guatemala, 4},
    {QLocale::Spanish, QLocale::CostaRica, 5},
    {QLocale::Spanish, QLocale::Panama, 6},
    {QLocale::Spanish, QLocale::DominicanRepublic, 7},
    {QLocale::Spanish, QLocale::Venezuela, 8},
    {QLocale::Spanish, QLocale::Colombia, 9},
    {QLocale::Spanish, QLocale::Peru, 10},
    {QLocale::Spanish, QLocale::Argentina, 11},
    {QLocale::Spanish, QLocale::Ecuador, 12},
    {QLocale::Spanish, QLocale::Chile, 13},
    {QLocale::Spanish, QLocale::Uruguay, 14},
    {QLocale::Spanish, QLocale::Paraguay, 15},
    {QLocale::Spanish, QLocale::Bolivia, 16},
    {QLocale::Spanish, QLocale::ElSalvador, 17},
    {QLocale::Spanish, QLocale::Honduras, 18},
    {QLocale::Spanish, QLocale::Nicaragua, 19},
    {QLocale::Spanish, QLocale::PuertoRico, 20},
    {QLocale::Spanish, QLocale::UnitedStates, 21},
    {QLocale::Italian, QLocale::Switzerland, 2},
    {QLocale::Dutch, QLocale::Belgium, 2},
    {QLocale::Portuguese, QLocale::Portugal, 2},
    {QLocale::Swedish, QLocale::Finland, 2},
    {QLocale::NorwegianNynorsk, QLocale::Norway, 2},
    {QLocale::Chinese, QLocale::China, 2},
    {QLocale::Chinese, QLocale::HongKong, 3},
    {QLocale::Chinese, QLocale::Singapore, 4},
    {QLocale::Chinese, QLocale::Macao, 5},
    {QLocale::Arabic, QLocale::Iraq, 2},
    {QLocale::Arabic, QLocale::Egypt, 3},
    {QLocale::Arabic, QLocale::Libya, 4},
    {QLocale::Arabic, QLocale::Algeria, 5},
    {QLocale::Arabic, QLocale::Morocco, 6},
    {QLocale::Arabic, QLocale::Tunisia, 7},
    {QLocale::Arabic, QLocale::Oman, 8},
    {QLocale::Arabic, QLocale::Yemen, 9},
    {QLocale::Arabic, QLocale::Syria, 10},
    {QLocale::Arabic, QLocale::Jordan, 11},
    {QLocale::Arabic, QLocale::Lebanon, 12},
    {QLocale::Arabic, QLocale::Kuwait, 13},
    {QLocale::Arabic, QLocale::UnitedArabEmirates, 14},
    {QLocale::Arabic, QLocale::Bahrain, 15},
    {QLocale::Arabic, QLocale::Qatar, 16},
};

TLanguageId SublanguageOf(const QLocale& locale) {
    // Serbian and Bosnian share one primary number with Croatian; the script tells them apart.
    if (locale.language() == QLocale::Serbian)
        return locale.script() == QLocale::CyrillicScript ? 3 : 2;
    if (locale.language() == QLocale::Bosnian)
        return locale.script() == QLocale::CyrillicScript ? 8 : 5;
    for (const TSublanguage& entry : Sublanguages) {
        if (entry.Language == locale.language() && entry.Territory == locale.territory())
            return entry.Sublanguage;
    }
    return SublanguageDefault;
}

} // namespace

TLanguageId LanguageIDFromLocale(const QLocale& locale) {
    // The C locale is the untranslated one: English as in the United States.
    if (locale.language() == QLocale::C)
        return MakeLanguageID(0x09, SublanguageDefault);
    for (const TPrimaryLanguage& entry : PrimaryLanguages) {
        if (entry.Language == locale.language())
            return MakeLanguageID(entry.Primary, SublanguageOf(locale));
    }
    return MakeLanguageID(LanguageNeutral, SublanguageDefault);
}

TLanguageId UserDefaultLanguageID() {
    return LanguageIDFromLocale(QLocale::system());
}

} // namespace zeft
