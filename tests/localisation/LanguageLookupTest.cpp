// Resolution of language identifiers, the string block layout and raw-data resources.
#include "zeft_LanguageResources.h"
#include "zeft_ResourceModule.h"

#include <QLocale>
#include <array>
#include <cstdint>
#include <gtest/gtest.h>

namespace zeft {
namespace {

/// Keeps the process-wide language as it was before a test changed it.
class LanguageGuard {
public:
    LanguageGuard() : FLanguage(LanguageID), FSublanguage(SublanguageID) {}
    ~LanguageGuard() {
        LanguageID = FLanguage;
        SublanguageID = FSublanguage;
    }

private:
    TLanguageId FLanguage;
    TLanguageId FSublanguage;
};

TEST(LanguageIdentifier, MakeSplitsAndJoinsAsTheWindowsLayout) {
    EXPECT_EQ(MakeLanguageID(7, 1), 0x0407);
    EXPECT_EQ(MakeLanguageID(9, 1), 1033);
    EXPECT_EQ(MakeLanguageID(12, 1), 0x040C);
    EXPECT_EQ(MakeLanguageID(9, 2), 0x0809);
    EXPECT_EQ(MakeLanguageID(0, 0), 0);
    // The primary part is not masked: an identifier that already holds sublanguage 1 keeps it.
    EXPECT_EQ(MakeLanguageID(0x0409, 2), 0x0C09);
    EXPECT_EQ(MakeLanguageID(0x0407, 1), 0x0407);
    // Kept to 16 bits.
    EXPECT_EQ(MakeLanguageID(9, 0x3F), 0xFC09);
    EXPECT_EQ(MakeLanguageID(9, 0x40), 0x0009);
    EXPECT_EQ(PrimaryLanguageID(0x0C09), 9);
    EXPECT_EQ(SubLanguageID(0x0C09), 3);
    EXPECT_EQ(PrimaryLanguageID(0xFFFF), 0x3FF);
    EXPECT_EQ(SubLanguageID(0xFFFF), 0x3F);
    EXPECT_EQ(SubLanguageID(7), 0);
}

struct TResolutionCase {
    const char* Name;
    TLanguageId Language;
    TLanguageId Sublanguage;
    const char* Sunday;
};

const TResolutionCase ResolutionCases[] = {
    {"BarePrimaryGerman", 7, 0, "Sonntag"},
    {"GermanFromUserDefault", 7, 1, "Sonntag"},
    {"SwissGerman", 7, 2, "Sonntag"},
    {"GermanCommand", 0x0407, 1, "Sonntag"},
    {"FrenchCommandCanadianUser", 0x040C, 3, "Dimanche"},
    {"EnglishCommandBritishUser", 0x0409, 2, "Sunday"}, // lookup id 0x0C09
    {"Neutral", 0, 0, "Sunday"},
    {"Japanese", 0x11, 1, "Sunday"},
    {"Spanish", 0x0A, 3, "Sunday"},
    {"UnknownPrimary", 0x3FF, 0x3F, "Sunday"},
};

class LanguageResolution : public testing::TestWithParam<TResolutionCase> {};

TEST_P(LanguageResolution, FindsTheLanguageOrFallsBackToEnglish) {
    const TResolutionCase& c = GetParam();
    EXPECT_EQ(LoadLanguageString(3006, c.Language, c.Sublanguage), QString::fromUtf8(c.Sunday));
    LanguageGuard guard;
    LanguageID = c.Language;
    SublanguageID = c.Sublanguage;
    EXPECT_EQ(DayName(7), QString::fromUtf8(c.Sunday));
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguageResolution, testing::ValuesIn(ResolutionCases),
                         [](const testing::TestParamInfo<TResolutionCase>& info) {
                             return std::string(info.param.Name);
                         });

TEST(LanguageResolution, NeutralSubLanguageStepOnlyAfterExactMatch) {
    // A module with an exact 0x0C09 set, a bare 9 set and a neutral set tells the three steps
    // apart.
    TResourceModule module;
    const auto block = [](const char* text) {
        std::array<QString, 16> texts;
        texts[0] = QString::fromLatin1(text);
        return TResourceModule::EncodeStringBlock(texts);
    };
    module.Add(TResourceType::StringTable, QStringLiteral("#1"), 0x0C09, block("exact"));
    module.Add(TResourceType::StringTable, QStringLiteral("#1"), 9, block("primary"));
    module.Add(TResourceType::StringTable, QStringLiteral("#1"), 0, block("neutral"));
    EXPECT_EQ(LoadLanguageString(0, 9, 3, &module), QStringLiteral("exact"));
    EXPECT_EQ(LoadLanguageString(0, 0x0409, 2, &module), QStringLiteral("exact"));
    EXPECT_EQ(LoadLanguageString(0, 9, 1, &module), QStringLiteral("primary"));
    EXPECT_EQ(LoadLanguageString(0, 9, 0, &module), QStringLiteral("primary"));
    EXPECT_EQ(LoadLanguageString(0, 7, 1, &module), QStringLiteral("neutral"));
    // The primary step uses the primary part only; 0x0C07 does not fall to 9.
    EXPECT_EQ(LoadLanguageString(0, 7, 3, &module), QStringLiteral("neutral"));
}

TEST(StringBlock, LayoutOfTheFirstProgramBlockIsCountsAndCodeUnits) {
    // Block 63 holds ids 992..1007: eight empty entries, 1000..1004, three empty entries.
    const QByteArray* block =
        ProgramModule().FindExact(TResourceType::StringTable, QStringLiteral("#63"), 7);
    ASSERT_NE(block, nullptr);
    std::vector<std::uint16_t> expected(8, 0);
    const auto add = [&expected](const QString& text) {
        expected.push_back(static_cast<std::uint16_t>(text.size()));
        for (const QChar c : text)
            expected.push_back(c.unicode());
    };
    add(QStringLiteral("Info über %s"));
    add(QStringLiteral("%0:s (Version %1:s)"));
    add(QStringLiteral("Support: %s"));
    add(LoadLanguageString(1003, 7, 0));
    add(QStringLiteral("Schließen"));
    expected.insert(expected.end(), 3, 0);
    ASSERT_EQ(block->size(), qsizetype(expected.size() * 2));
    std::vector<std::uint16_t> actual(expected.size());
    std::memcpy(actual.data(), block->constData(), static_cast<std::size_t>(block->size()));
    EXPECT_EQ(actual, expected);
    // "ü" and "ß" are single UTF-16 code units, not UTF-8 bytes.
    EXPECT_EQ(actual[8], 12);
}

TEST(StringBlock, TextsOutsideTheBasicPlaneUseSurrogatePairs) {
    std::array<QString, 16> texts;
    texts[3] = QString::fromUtf8("a\xF0\x9F\x94\xA5"); // U+1F525
    TResourceModule module;
    module.Add(TResourceType::StringTable, QStringLiteral("#2"), 0,
               TResourceModule::EncodeStringBlock(texts));
    EXPECT_EQ(LoadLanguageString(19, 0, 0, &module), texts[3]);
    EXPECT_EQ(LoadLanguageString(19, 0, 0, &module).size(), 3);
    EXPECT_EQ(LoadLanguageString(20, 0, 0, &module), QString());
}

TEST(StringBlock, ATruncatedBlockGivesEmptyTextInsteadOfReadingPastItsEnd) {
    TResourceModule module;
    const std::uint16_t words[] = {0, 5, 'a', 'b'}; // entry 1 claims 5 units, holds 2
    module.Add(TResourceType::StringTable, QStringLiteral("#1"), 0,
               QByteArray(reinterpret_cast<const char*>(words), sizeof words));
    EXPECT_EQ(LoadLanguageString(0, 0, 0, &module), QString());
    EXPECT_EQ(LoadLanguageString(1, 0, 0, &module), QString());
    EXPECT_EQ(LoadLanguageString(15, 0, 0, &module), QString());
}

TEST(LoadLanguageString, IdsWithoutTextInAnExistingBlockAreEmpty) {
    for (const TLanguageId language : {0, 7, 9, 12}) {
        EXPECT_EQ(LoadLanguageString(6003, language, 0), QString());
        EXPECT_EQ(LoadLanguageString(6004, language, 0), QString());
    }
}

TEST(LoadLanguageString, AnIdInABlockOfNoLanguageSetThrowsNamingTheBlock) {
    for (const int id : {100, 0, 991, 4500, 65535}) {
        try {
            LoadLanguageString(id, 9, 1);
            ADD_FAILURE() << "id " << id << " found";
        } catch (const TResourceNotFound& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find("#" + std::to_string(id / 16 + 1)), std::string::npos)
                << message;
            EXPECT_NE(message.find("0409"), std::string::npos) << message;
        }
    }
    EXPECT_THROW(LoadLanguageString(-1, 9, 1), TResourceNotFound);
    EXPECT_THROW(LoadLanguageString(65536, 9, 1), TResourceNotFound);
}

TEST(LoadLanguageString, ShortFormUsesTheCurrentLanguage) {
    LanguageGuard guard;
    LanguageID = MakeLanguageID(12, 1);
    SublanguageID = 2;
    EXPECT_EQ(LoadLanguageString(4012), QStringLiteral("&Enregistrer"));
    LanguageID = MakeLanguageID(9, 1);
    EXPECT_EQ(LoadLanguageString(4807), QStringLiteral("Your data cannot be saved."));
    EXPECT_EQ(LoadLanguageString(6003), QString());
}

TEST(LoadLanguageString, LanguageIndependentTextsAreTheSameAfterEveryLanguageChange) {
    LanguageGuard guard;
    std::vector<QString> first;
    for (const TLanguageId language : {0x0407, 0x0409, 0x040C, 0x11, 0}) {
        LanguageID = language;
        SublanguageID = 1;
        std::vector<QString> texts;
        for (const int id : {1003, 4200, 4201, 4202, 4801})
            texts.push_back(LoadLanguageString(id));
        if (first.empty())
            first = texts;
        EXPECT_EQ(texts, first) << "language " << language;
    }
    EXPECT_EQ(first[3], QStringLiteral("Français"));
}

TEST(DayName, MondayToSundayElseEmpty) {
    LanguageGuard guard;
    LanguageID = MakeLanguageID(9, 1);
    SublanguageID = 1;
    EXPECT_EQ(DayName(1), QStringLiteral("Monday"));
    EXPECT_EQ(DayName(7), QStringLiteral("Sunday"));
    for (const int day : {0, 8, -1, 3006, 1 << 30})
        EXPECT_EQ(DayName(day), QString()) << day;
    LanguageID = 12;
    EXPECT_EQ(DayName(3), QStringLiteral("Mercredi"));
}

class RawDataLookup : public testing::Test {
protected:
    RawDataLookup() {
        FModule.Add(TResourceType::RawData, QStringLiteral("HELPCONTENTSTEXT"), 0, "neutral");
        FModule.Add(TResourceType::RawData, QStringLiteral("HELPCONTENTSTEXT"), 7, "deutsch");
        FModule.Add(TResourceType::RawData, QStringLiteral("HELPCONTENTSTEXT"), 0x0C09, "exact");
        FModule.Add(TResourceType::RawData, QStringLiteral("EMPTY"), 0, QByteArray());
        FModule.Add(TResourceType::RawData, QStringLiteral("BINARY"), 0,
                    QByteArray("\0\x01\xFF\0", 4));
        // A string block of the same name must not answer a raw-data lookup.
        FModule.Add(TResourceType::StringTable, QStringLiteral("ONLYTEXT"), 0, "x");
    }
    TResourceModule FModule;
};

TEST_F(RawDataLookup, FindsTheLanguageThenFallsBack) {
    const auto load = [this](TLanguageId language, TLanguageId sublanguage) {
        const auto data = LoadLanguageResource(QStringLiteral("HELPCONTENTSTEXT"), language,
                                               sublanguage, &FModule);
        return data ? *data : QByteArray("<null>");
    };
    EXPECT_EQ(load(7, 1), "deutsch");
    EXPECT_EQ(load(0x0407, 2), "deutsch");
    EXPECT_EQ(load(0x0409, 2), "exact");
    EXPECT_EQ(load(9, 1), "neutral");
    EXPECT_EQ(load(12, 1), "neutral");
    EXPECT_EQ(load(0x11, 1), "neutral");
}

TEST_F(RawDataLookup, NamesIgnoreCaseAndBytesArrivePositionedAtTheStart) {
    const auto data = LoadLanguageResource(QStringLiteral("binary"), 9, 1, &FModule);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(*data, QByteArray("\0\x01\xFF\0", 4));
}

TEST_F(RawDataLookup, TheCallerOwnsACopy) {
    auto first = LoadLanguageResource(QStringLiteral("HELPCONTENTSTEXT"), 7, 1, &FModule);
    ASSERT_NE(first, nullptr);
    (*first)[0] = 'X';
    const auto second = LoadLanguageResource(QStringLiteral("HELPCONTENTSTEXT"), 7, 1, &FModule);
    EXPECT_EQ(*second, "deutsch");
}

TEST_F(RawDataLookup, AnEmptyResourceGivesNoStream) {
    EXPECT_EQ(LoadLanguageResource(QStringLiteral("EMPTY"), 7, 1, &FModule), nullptr);
}

TEST_F(RawDataLookup, AMissingResourceThrowsNamingIt) {
    for (const char* name : {"UTRX", "ONLYTEXT"}) {
        try {
            LoadLanguageResource(QString::fromLatin1(name), 7, 1, &FModule);
            ADD_FAILURE() << name << " found";
        } catch (const TResourceNotFound& error) {
            EXPECT_NE(std::string(error.what()).find(name), std::string::npos) << error.what();
        }
    }
    EXPECT_THROW(LoadLanguageResource(QStringLiteral("NOSUCHRESOURCE")), TResourceNotFound);
}

TEST(VersionInfo, FileVersionIsTheProjectVersion) {
    EXPECT_EQ(GetVersionInfoValue(QStringLiteral("FileVersion")),
              QStringLiteral(ZEFT_TEST_VERSION));
    EXPECT_EQ(GetVersionInfoValue(QStringLiteral("ProductVersion")),
              QStringLiteral(ZEFT_TEST_VERSION));
    EXPECT_EQ(GetVersionInfoValue(QStringLiteral("fileversion")),
              QStringLiteral(ZEFT_TEST_VERSION));
    EXPECT_EQ(GetVersionInfoValue(QStringLiteral("CompanyName")), QStringLiteral("Pellwick"));
}

TEST(VersionInfo, UnknownKeysGiveEmptyText) {
    for (const char* key : {"", "NoSuchValue", "FileVersion\\x", "%s", "%4.4x", "\\"})
        EXPECT_EQ(GetVersionInfoValue(QString::fromLatin1(key)), QString()) << key;
}

struct TLocaleCase {
    const char* Locale;
    TLanguageId Expected;
};

const TLocaleCase LocaleCases[] = {
    {"de_DE", 0x0407}, {"de_CH", 0x0807}, {"de_AT", 0x0C07}, {"en_US", 0x0409}, {"en_GB", 0x0809},
    {"en_AU", 0x0C09}, {"en_CA", 0x1009}, {"fr_FR", 0x040C}, {"fr_BE", 0x080C}, {"fr_CA", 0x0C0C},
    {"fr_CH", 0x100C}, {"ja_JP", 0x0411}, {"es_ES", 0x0C0A}, {"es_MX", 0x080A}, {"it_IT", 0x0410},
    {"it_CH", 0x0810}, {"nl_NL", 0x0413}, {"nl_BE", 0x0813}, {"pt_BR", 0x0416}, {"pt_PT", 0x0816},
    {"zh_CN", 0x0804}, {"zh_TW", 0x0404}, {"sv_SE", 0x041D}, {"pl_PL", 0x0415}, {"ru_RU", 0x0419},
    {"de_IT", 0x0407}, {"C", 0x0409},
};

class UserLanguage : public testing::TestWithParam<TLocaleCase> {};

TEST_P(UserLanguage, MapsToTheWindowsIdentifier) {
    EXPECT_EQ(LanguageIDFromLocale(QLocale(QString::fromLatin1(GetParam().Locale))),
              GetParam().Expected)
        << GetParam().Locale;
}

INSTANTIATE_TEST_SUITE_P(Locales, UserLanguage, testing::ValuesIn(LocaleCases),
                         [](const testing::TestParamInfo<TLocaleCase>& info) {
                             return std::string(info.param.Locale);
                         });

TEST(UserLanguage, InitialisesTheCurrentLanguageFromTheSystem) {
    LanguageGuard guard;
    LanguageID = 0xFFFF;
    SublanguageID = 0xFFFF;
    InitLanguageFromUserDefault();
    const TLanguageId user = LanguageIDFromLocale(QLocale::system());
    EXPECT_EQ(UserDefaultLanguageID(), user);
    EXPECT_EQ(LanguageID, PrimaryLanguageID(user));
    EXPECT_EQ(SublanguageID, SubLanguageID(user));
}

TEST(UserLanguage, AGermanUserSeesGermanAndAJapaneseUserEnglish) {
    LanguageGuard guard;
    const TLanguageId german = LanguageIDFromLocale(QLocale(QStringLiteral("de_DE")));
    LanguageID = PrimaryLanguageID(german);
    SublanguageID = SubLanguageID(german);
    EXPECT_EQ(LoadLanguageString(4010), QStringLiteral("&Datei"));
    const TLanguageId japanese = LanguageIDFromLocale(QLocale(QStringLiteral("ja_JP")));
    LanguageID = PrimaryLanguageID(japanese);
    SublanguageID = SubLanguageID(japanese);
    EXPECT_EQ(LoadLanguageString(4010), QStringLiteral("&File"));
}

} // namespace
} // namespace zeft
