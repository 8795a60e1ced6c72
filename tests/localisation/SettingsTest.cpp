#include "zeft_Settings.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace zeft {
namespace {

/// Points the per-user settings at a fresh folder, and restores the current language after.
class SettingsStore : public testing::Test {
protected:
    SettingsStore() : FLanguage(LanguageID), FSublanguage(SublanguageID) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FDir.path());
        LanguageID = 9;
        SublanguageID = 1;
    }
    ~SettingsStore() override {
        FDir.setAutoRemove(!HasFailure()); // keep the files of a failed test for a look
        LanguageID = FLanguage;
        SublanguageID = FSublanguage;
    }

    QString FilePath() const { return FDir.filePath(QStringLiteral("Pellwick/ZEFT.conf")); }

    void WriteFileByHand(const QByteArray& content) const {
        ASSERT_TRUE(QDir(FDir.path()).mkpath(QStringLiteral("Pellwick")));
        QFile file(FilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

    QByteArray FileContent() const {
        QFile file(FilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    QTemporaryDir FDir;
    TZEFTSettings FSettings;

private:
    TLanguageId FLanguage;
    TLanguageId FSublanguage;
};

TEST_F(SettingsStore, AnEmptyStoreGivesTheCurrentLanguageAndNoFile) {
    LanguageID = 7;
    SublanguageID = 2;
    EXPECT_EQ(FSettings.ReadLanguageID(), 7);
    EXPECT_EQ(FSettings.ReadSublanguageID(), 2);
    EXPECT_EQ(FSettings.ReadLastFile(), QString());
    EXPECT_FALSE(QFile::exists(FilePath())) << "reading must not create the store";
}

TEST_F(SettingsStore, ValuesRoundTripAndTheFileHasTheExpectedLayout) {
    FSettings.WriteLastFile(QStringLiteral("/home/anna/Heizung.zeft"));
    FSettings.WriteLanguageID(1033);
    FSettings.WriteSublanguageID(2);
    EXPECT_EQ(FSettings.ReadLanguageID(), 1033);
    EXPECT_EQ(FSettings.ReadSublanguageID(), 2);
    EXPECT_EQ(FSettings.ReadLastFile(), QStringLiteral("/home/anna/Heizung.zeft"));
    EXPECT_EQ(FileContent(), QByteArray("[MRU]\n"
                                        "a=/home/anna/Heizung.zeft\n"
                                        "\n"
                                        "[UI]\n"
                                        "LanguageID=1033\n"
                                        "SublanguageID=2\n"));
}

TEST_F(SettingsStore, AFileWrittenEarlierIsReadAsTheProgramWroteIt) {
    // What the program wrote in an earlier run, read without any cached copy in this process.
    WriteFileByHand(
        "[MRU]\na=\"/home/anna/a, b.zeft\"\n\n[UI]\nLanguageID=1036\nSublanguageID=1\n");
    EXPECT_EQ(FSettings.ReadLanguageID(), 1036);
    EXPECT_EQ(FSettings.ReadSublanguageID(), 1);
    EXPECT_EQ(FSettings.ReadLastFile(), QStringLiteral("/home/anna/a, b.zeft"));
}

TEST_F(SettingsStore, BareAndFullLanguageIdentifiersAreKeptAsTheyAre) {
    for (const TLanguageId value :
         {TLanguageId(7), TLanguageId(0x0407), TLanguageId(0xFFFF), TLanguageId(0)}) {
        FSettings.WriteLanguageID(value);
        EXPECT_EQ(FSettings.ReadLanguageID(), value);
    }
}

TEST_F(SettingsStore, LanguageWithoutSublanguageTakesTheCurrentSublanguage) {
    WriteFileByHand("[UI]\nLanguageID=12\n");
    SublanguageID = 2;
    EXPECT_EQ(FSettings.ReadLanguageID(), 12);
    EXPECT_EQ(FSettings.ReadSublanguageID(), 2);
}

TEST_F(SettingsStore, ValuesBeyond16BitsAreTakenAsTheirLow16Bits) {
    WriteFileByHand("[UI]\nLanguageID=66567\nSublanguageID=4294967295\n");
    EXPECT_EQ(FSettings.ReadLanguageID(), 66567 & 0xFFFF);
    EXPECT_EQ(FSettings.ReadSublanguageID(), 0xFFFF);
}

struct TNotAnInteger {
    const char* Name;
    const char* Line;
};

const TNotAnInteger NotIntegers[] = {
    {"QuotedNumber", "LanguageID=\"1031\""},
    {"Word", "LanguageID=German"},
    {"Hexadecimal", "LanguageID=0x407"},
    {"Signed", "LanguageID=-7"},
    {"Empty", "LanguageID="},
    {"List", "LanguageID=7, 1"},
    {"Fraction", "LanguageID=7.5"},
    {"Beyond32Bits", "LanguageID=4294967296"},
    {"QuotedSpaces", "LanguageID=\" 1031\""},
    {"Text", "LanguageID=@Variant(\\0\\0\\0\\n)"},
};

class SettingsNotAnInteger : public SettingsStore,
                             public testing::WithParamInterface<TNotAnInteger> {};

TEST_P(SettingsNotAnInteger, IsIgnoredForTheCurrentLanguage) {
    WriteFileByHand(QByteArray("[UI]\n") + GetParam().Line + "\nSublanguageID=3\n");
    LanguageID = 12;
    EXPECT_EQ(FSettings.ReadLanguageID(), 12);
    EXPECT_EQ(FSettings.ReadSublanguageID(), 3) << "the other value is still read";
}

INSTANTIATE_TEST_SUITE_P(Values, SettingsNotAnInteger, testing::ValuesIn(NotIntegers),
                         [](const testing::TestParamInfo<TNotAnInteger>& info) {
                             return std::string(info.param.Name);
                         });

struct TFallbackStore {
    const char* Name;
    QSettings::Scope Scope;
    const char* File; // relative to the folder of the scope
};

const TFallbackStore FallbackStores[] = {
    {"OrganisationWide", QSettings::UserScope, "Pellwick.conf"},
    {"System", QSettings::SystemScope, "Pellwick/ZEFT.conf"},
    {"SystemOrganisationWide", QSettings::SystemScope, "Pellwick.conf"},
};

class SettingsFallback : public SettingsStore, public testing::WithParamInterface<TFallbackStore> {
protected:
    SettingsFallback() {
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, FSystemDir.path());
    }
    ~SettingsFallback() override {
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, QString());
    }
    QTemporaryDir FSystemDir;
};

TEST_P(SettingsFallback, OnlyTheUsersOwnStoreIsRead) {
    const QDir folder(GetParam().Scope == QSettings::UserScope ? FDir.path() : FSystemDir.path());
    const QString path = folder.filePath(QString::fromUtf8(GetParam().File));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[MRU]\na=/etc/someone-else.zeft\n\n[UI]\nLanguageID=1031\nSublanguageID=2\n");
    file.close();
    EXPECT_EQ(FSettings.ReadLanguageID(), 9);
    EXPECT_EQ(FSettings.ReadSublanguageID(), 1);
    EXPECT_EQ(FSettings.ReadLastFile(), QString());
    // the user's own values are read as before
    FSettings.WriteLanguageID(12);
    EXPECT_EQ(FSettings.ReadLanguageID(), 12);
    EXPECT_EQ(FSettings.ReadSublanguageID(), 1);
}

INSTANTIATE_TEST_SUITE_P(Stores, SettingsFallback, testing::ValuesIn(FallbackStores),
                         [](const testing::TestParamInfo<TFallbackStore>& info) {
                             return std::string(info.param.Name);
                         });

/// A store that keeps each value's type, as the registry does (REG_DWORD, REG_SZ, ...).
QSettings::Format TypedFormat() {
    static const QSettings::Format format = QSettings::registerFormat(
        QStringLiteral("typed"),
        [](QIODevice& device, QSettings::SettingsMap& map) {
            QDataStream stream(&device);
            stream >> map;
            return stream.status() == QDataStream::Ok;
        },
        [](QIODevice& device, const QSettings::SettingsMap& map) {
            QDataStream stream(&device);
            stream << map;
            return stream.status() == QDataStream::Ok;
        });
    return format;
}

struct TTypedValue {
    const char* Name;
    QVariant Value;
    int Expected; // -1: ignored
};

const TTypedValue TypedValues[] = {
    {"Dword", QVariant(int(1031)), 1031},
    {"UnsignedDword", QVariant(uint(0x040C)), 0x040C},
    {"Qword", QVariant(qlonglong(0x10409)), 0x0409},
    {"TextOfANumber", QVariant(QStringLiteral("1031")), -1},
    {"Text", QVariant(QStringLiteral("German")), -1},
    {"Bytes", QVariant(QByteArray("1031")), -1},
    {"Fraction", QVariant(7.0), -1},
};

class SettingsTypedStore : public SettingsStore, public testing::WithParamInterface<TTypedValue> {};

TEST_P(SettingsTypedStore, OnlyAnIntegerCountsAsALanguage) {
    QSettings::setPath(TypedFormat(), QSettings::UserScope, FDir.path());
    {
        QSettings store(TypedFormat(), QSettings::UserScope, "Pellwick", "ZEFT");
        store.setValue("UI/LanguageID", GetParam().Value);
        store.setValue("UI/SublanguageID", 2);
    }
    const TZEFTSettings typed(TypedFormat());
    LanguageID = 12;
    EXPECT_EQ(typed.ReadLanguageID(), GetParam().Expected < 0 ? 12 : GetParam().Expected);
    EXPECT_EQ(typed.ReadSublanguageID(), 2);
    EXPECT_FALSE(QFile::exists(FilePath())) << "the typed store is a store of its own";
}

INSTANTIATE_TEST_SUITE_P(Values, SettingsTypedStore, testing::ValuesIn(TypedValues),
                         [](const testing::TestParamInfo<TTypedValue>& info) {
                             return std::string(info.param.Name);
                         });

TEST_F(SettingsStore, AnIntegerStoredAsQtVariantIsAccepted) {
    // What a QSettings integer looks like where the file keeps its type.
    WriteFileByHand("[UI]\nLanguageID=@Variant(\\0\\0\\0\\x2\\0\\0\\x4\\a)\n");
    EXPECT_EQ(FSettings.ReadLanguageID(), 0x0407);
}

TEST_F(SettingsStore, AnEmptyLastFileRoundTripsAsEmpty) {
    FSettings.WriteLastFile(QStringLiteral("/tmp/old.zeft"));
    FSettings.WriteLastFile(QString());
    EXPECT_EQ(FSettings.ReadLastFile(), QString());
    EXPECT_TRUE(FileContent().contains("[MRU]\na=\n")) << FileContent().toStdString();
}

TEST_F(SettingsStore, PathsWithSpecialCharactersRoundTrip) {
    for (const char* path : {"/home/u/a, b;c=d.zeft", " leading space.zeft", "@Variant(x).zeft",
                             "/home/jürgen/Küche \"neu\".zeft", "C:\\Users\\x\\y.zeft"}) {
        FSettings.WriteLastFile(QString::fromUtf8(path));
        EXPECT_EQ(FSettings.ReadLastFile(), QString::fromUtf8(path));
    }
}

TEST_F(SettingsStore, LastFileStopsAtTheFirstZeroCharacter) {
    FSettings.WriteLastFile(QStringLiteral("/home/a.zeft") + QChar(0) + QStringLiteral("junk"));
    EXPECT_EQ(FSettings.ReadLastFile(), QStringLiteral("/home/a.zeft"));
}

TEST_F(SettingsStore, ALastFileOfAnotherTypeGivesEmptyText) {
    WriteFileByHand("[MRU]\na=one, two\n");
    EXPECT_EQ(FSettings.ReadLastFile(), QString());
}

TEST_F(SettingsStore, WritesReplaceEarlierValuesAndKeepTheOthers) {
    FSettings.WriteLanguageID(7);
    FSettings.WriteLastFile(QStringLiteral("/a.zeft"));
    FSettings.WriteLanguageID(12);
    EXPECT_EQ(FSettings.ReadLanguageID(), 12);
    EXPECT_EQ(FSettings.ReadLastFile(), QStringLiteral("/a.zeft"));
}

TEST_F(SettingsStore, AWriteThatCannotBeStoredThrowsNamingTheValue) {
    // A file where the folder must go: fails for every user, root included.
    QFile blocker(FDir.filePath(QStringLiteral("Pellwick")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const auto expectError = [](const auto& write, const char* name) {
        try {
            write();
            ADD_FAILURE() << name << " reported as stored";
        } catch (const TSettingsError& error) {
            EXPECT_NE(std::string(error.what()).find(std::string("\"") + name + "\""),
                      std::string::npos)
                << error.what();
        }
    };
    expectError([this] { FSettings.WriteLastFile(QStringLiteral("/x.zeft")); }, "a");
    expectError([this] { FSettings.WriteLanguageID(7); }, "LanguageID");
    expectError([this] { FSettings.WriteSublanguageID(1); }, "SublanguageID");
    // Reads still answer with the defaults.
    EXPECT_EQ(FSettings.ReadLanguageID(), 9);
    EXPECT_EQ(FSettings.ReadLastFile(), QString());
}

TEST_F(SettingsStore, AWriteIntoAFolderTheUserCannotWriteThrows) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    ASSERT_TRUE(QDir(FDir.path()).mkpath(QStringLiteral("Pellwick")));
    QFile::setPermissions(FDir.filePath(QStringLiteral("Pellwick")),
                          QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    EXPECT_THROW(FSettings.WriteLanguageID(7), TSettingsError);
    QFile::setPermissions(FDir.filePath(QStringLiteral("Pellwick")),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace
} // namespace zeft
