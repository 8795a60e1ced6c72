// The files the desktop reads about the program, as the build writes them: the desktop entry
// and the software-centre entry speak the program's own texts in every language, a MIME
// database built from the package recognises schedule files by name and by content, and the
// icon the windows show is the picture installed into the icon theme.
#include "TLanguageScope.h"
#include "zeft_LanguageResources.h"
#include "zeft_ProgramIcon.h"
#include "zeft_StickIdentity.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <map>

namespace zeft {
namespace {

struct TLanguage {
    const char* Tag; // "" for the untranslated entry
    TLanguageId Id;
};
const TLanguage Languages[] = {{"", 9}, {"de", 7}, {"fr", 12}};

QString ReadText(const char* path) {
    QFile file(QString::fromUtf8(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    return QString::fromUtf8(file.readAll());
}

/// The keys of the desktop entry's one group, "Name[de]" and the like as they stand.
std::map<QString, QString> DesktopEntry() {
    std::map<QString, QString> entry;
    const QStringList lines = ReadText(ZEFT_TEST_DESKTOP_ENTRY).split(QLatin1Char('\n'));
    EXPECT_EQ(lines.value(0), QStringLiteral("[Desktop Entry]"));
    for (const QString& line : lines) {
        const auto equals = line.indexOf(QLatin1Char('='));
        if (equals > 0) {
            EXPECT_TRUE(entry.emplace(line.left(equals), line.mid(equals + 1)).second)
                << line.toStdString();
        }
    }
    return entry;
}

QString Key(const char* key, const TLanguage& language) {
    const QString name = QString::fromLatin1(key);
    return *language.Tag ? name + QLatin1Char('[') + QLatin1String(language.Tag) + QLatin1Char(']')
                         : name;
}

struct TTranslatedKey {
    const char* Key;
    int TextId;
};

TEST(DesktopEntry, TranslatedKeysAreTheProgramsTexts) {
    const auto entry = DesktopEntry();
    const TTranslatedKey keys[] = {
        {"Name", 4000}, {"GenericName", 4100}, {"Comment", 4101}, {"Keywords", 4102}};
    for (const TTranslatedKey& key : keys) {
        for (const TLanguage& language : Languages) {
            const auto found = entry.find(Key(key.Key, language));
            ASSERT_NE(found, entry.end()) << key.Key << " " << language.Tag;
            EXPECT_EQ(found->second, LoadLanguageString(key.TextId, language.Id, 0))
                << key.Key << " " << language.Tag;
        }
    }
}

TEST(DesktopEntry, StartsTheProgramWithTheFileAndNamesItsTypeAndIcon) {
    const auto entry = DesktopEntry();
    EXPECT_EQ(entry.at(QStringLiteral("Exec")), QStringLiteral("zeft %f"));
    EXPECT_EQ(entry.at(QStringLiteral("Icon")), QStringLiteral(ZEFT_TEST_APP_ID));
    EXPECT_EQ(entry.at(QStringLiteral("MimeType")), QStringLiteral(ZEFT_TEST_MIME_TYPE ";"));
    // The window class Qt gives the windows on X11 (the application name).
    EXPECT_EQ(entry.at(QStringLiteral("StartupWMClass")), QStringLiteral("ZEFT"));
}

/// Each element's text by the language of its xml:lang ("" without one), in document order.
std::multimap<QString, std::pair<QString, QString>> MetainfoTexts() {
    std::multimap<QString, std::pair<QString, QString>> texts;
    QXmlStreamReader xml(ReadText(ZEFT_TEST_METAINFO));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString name = xml.name().toString();
        const QString language = xml.attributes().value(QStringLiteral("xml:lang")).toString();
        if (name == QStringLiteral("name") || name == QStringLiteral("summary") ||
            name == QStringLiteral("p") || name == QStringLiteral("modalias") ||
            name == QStringLiteral("mediatype") || name == QStringLiteral("id"))
            texts.emplace(name, std::make_pair(language, xml.readElementText()));
        else if (name == QStringLiteral("release"))
            texts.emplace(
                name, std::make_pair(QString(),
                                     xml.attributes().value(QStringLiteral("version")).toString()));
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return texts;
}

QStringList TextsOf(const std::multimap<QString, std::pair<QString, QString>>& texts,
                    const char* element, const char* language) {
    QStringList result;
    const auto [first, last] = texts.equal_range(QString::fromLatin1(element));
    for (auto it = first; it != last; ++it)
        if (it->second.first == QLatin1String(language))
            result << it->second.second;
    return result;
}

TEST(Metainfo, NameSummaryAndDescriptionAreTheProgramsTextsInEveryLanguage) {
    const auto texts = MetainfoTexts();
    for (const TLanguage& language : Languages) {
        EXPECT_EQ(TextsOf(texts, "name", language.Tag),
                  QStringList{LoadLanguageString(4000, language.Id, 0)})
            << language.Tag;
        EXPECT_EQ(TextsOf(texts, "summary", language.Tag),
                  QStringList{LoadLanguageString(4101, language.Id, 0)})
            << language.Tag;
        const QStringList paragraphs = {LoadLanguageString(4104, language.Id, 0),
                                        LoadLanguageString(4105, language.Id, 0),
                                        LoadLanguageString(4106, language.Id, 0)};
        EXPECT_EQ(TextsOf(texts, "p", language.Tag), paragraphs) << language.Tag;
    }
}

TEST(Metainfo, ProvidesTheFileTypeAndTheStickTheDriverSearchesFor) {
    const auto texts = MetainfoTexts();
    EXPECT_EQ(TextsOf(texts, "id", ""), QStringList{QStringLiteral(ZEFT_TEST_APP_ID)});
    EXPECT_EQ(TextsOf(texts, "mediatype", ""), QStringList{QStringLiteral(ZEFT_TEST_MIME_TYPE)});
    // A USB modalias spells the identifiers in four upper-case hexadecimal digits.
    const QString modalias = QString::asprintf("usb:v%04Xp%04Xd*", StickVendorId, StickProductId);
    EXPECT_EQ(modalias, QStringLiteral("usb:v1209p2EF7d*"));
    EXPECT_EQ(TextsOf(texts, "modalias", ""), QStringList{modalias});
    EXPECT_EQ(TextsOf(texts, "release", ""), QStringList{QStringLiteral(ZEFT_TEST_VERSION)});
}

/// A MIME database of the shared-mime-info types and the package's type, which Qt reads
/// instead of the system's.
class FileType : public testing::Test {
protected:
    static void SetUpTestSuite() {
        const QString updater =
            QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
        const QString system = QStringLiteral("/usr/share/mime/packages/freedesktop.org.xml");
        if (updater.isEmpty() || !QFile::exists(system))
            return;
        Data = new QTemporaryDir;
        const QString packages = Data->filePath(QStringLiteral("mime/packages"));
        QDir().mkpath(packages);
        QFile::copy(system, packages + QStringLiteral("/freedesktop.org.xml"));
        QFile::copy(QStringLiteral(ZEFT_TEST_MIME_PACKAGE),
                    packages + QStringLiteral("/" ZEFT_TEST_APP_ID ".xml"));
        QProcess update;
        update.start(updater, {Data->filePath(QStringLiteral("mime"))});
        Built = update.waitForFinished(60000) && update.exitStatus() == QProcess::NormalExit &&
                update.exitCode() == 0;
        qputenv("XDG_DATA_HOME", Data->filePath(QStringLiteral("home")).toLocal8Bit());
        qputenv("XDG_DATA_DIRS", Data->path().toLocal8Bit());
    }
    static void TearDownTestSuite() {
        delete Data;
        Data = nullptr;
    }
    void SetUp() override {
        if (!Data)
            GTEST_SKIP() << "update-mime-database or shared-mime-info is missing";
        ASSERT_TRUE(Built) << "update-mime-database failed";
    }

    static QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = Data->filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    static inline QTemporaryDir* Data = nullptr;
    static inline bool Built = false;
};

struct TFileCase {
    const char* Name;
    const char* Content;
    const char* Type;
};

const char* const Schedule = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
                             "<heatingLocations>\r\n  <heatingLocations>\r\n"
                             "    <displayText>K\xfc"
                             "che</displayText>\r\n";

TEST_F(FileType, SchedulesAreKnownByTheirExtensionOrTheirRootElement) {
    const TFileCase cases[] = {
        {"Wohnung.zeft", Schedule, ZEFT_TEST_MIME_TYPE},
        {"Räume mit Leerzeichen.zeft", "", ZEFT_TEST_MIME_TYPE},
        {"plan-without-extension", Schedule, ZEFT_TEST_MIME_TYPE},
        {"undeclared", "<heatingLocations><heatingLocations/></heatingLocations>",
         ZEFT_TEST_MIME_TYPE},
        {"other-xml", "<?xml version=\"1.0\"?>\n<settings><heatingLocations/></settings>",
         "application/xml"},
        {"notes.txt", "<heatingLocations>", "text/plain"},
    };
    QMimeDatabase database;
    for (const TFileCase& file : cases) {
        const QString path = Write(QString::fromUtf8(file.Name), QByteArray(file.Content));
        EXPECT_EQ(database.mimeTypeForFile(path).name(), QString::fromLatin1(file.Type))
            << file.Name;
    }
}

TEST_F(FileType, IsXmlWithItsCommentInEveryLanguage) {
    const QMimeType type = QMimeDatabase().mimeTypeForName(QStringLiteral(ZEFT_TEST_MIME_TYPE));
    ASSERT_TRUE(type.isValid());
    EXPECT_TRUE(type.inherits(QStringLiteral("application/xml")));
    EXPECT_EQ(type.suffixes(), QStringList{QStringLiteral("zeft")});
    EXPECT_EQ(type.iconName(), QStringLiteral(ZEFT_TEST_APP_ID));
    // The comment follows the locale Qt asks for; the English one is the default.
    EXPECT_EQ(type.comment(), LoadLanguageString(4103, 9, 0));
}

TEST(WindowIcon, IsThePictureInstalledIntoTheIconTheme) {
    const QIcon icon = ProgramIcon();
    // The sizes the icon theme gets; each is drawn, none scaled from another.
    const int sizes[] = {16, 24, 32, 48, 64, 128, 256};
    QList<QSize> expected;
    for (const int size : sizes)
        expected << QSize(size, size);
    EXPECT_EQ(icon.availableSizes(), expected);
    for (const int size : sizes) {
        const QImage drawn(QStringLiteral(ZEFT_TEST_ICON_DIR "/icon-%1.png").arg(size));
        ASSERT_EQ(drawn.size(), QSize(size, size)) << size;
        EXPECT_EQ(icon.pixmap(QSize(size, size)).toImage().convertToFormat(drawn.format()), drawn)
            << size;
        // Not a blank square: the tile's middle is opaque, its corner transparent.
        EXPECT_EQ(qAlpha(drawn.pixel(size / 2, size / 2)), 255) << size;
        EXPECT_EQ(qAlpha(drawn.pixel(0, 0)), 0) << size;
    }
    const QString svg = ReadText(ZEFT_TEST_ICON_DIR "/icon.svg");
    EXPECT_TRUE(svg.contains(QStringLiteral("viewBox=\"0 0 256 256\"")))
        << svg.left(200).toStdString();
}

} // namespace
} // namespace zeft
