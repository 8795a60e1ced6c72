// The build-time packer, run on small resource folders of the test's own.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct TPackResult {
    int ExitCode = -1;
    QString Errors;
    QString Source;
};

class ResourcePacker : public testing::Test {
protected:
    void WriteFile(const QString& name, const QByteArray& content) {
        const QString path = FDir.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }

    TPackResult Pack(const QByteArray& manifest, const QStringList& extra = {}) {
        WriteFile(QStringLiteral("resources.manifest"), manifest);
        QProcess packer;
        packer.start(QStringLiteral(ZEFT_RESOURCE_PACKER),
                     QStringList{QStringLiteral("--manifest"),
                                 FDir.filePath(QStringLiteral("resources.manifest")),
                                 QStringLiteral("--root"), FDir.path(), QStringLiteral("--output"),
                                 FDir.filePath(QStringLiteral("out.cpp")),
                                 QStringLiteral("--depfile"),
                                 FDir.filePath(QStringLiteral("out.d"))} +
                         extra);
        TPackResult result;
        if (!packer.waitForFinished(30000))
            return result;
        result.ExitCode = packer.exitCode();
        result.Errors = QString::fromLocal8Bit(packer.readAllStandardError());
        QFile source(FDir.filePath(QStringLiteral("out.cpp")));
        if (source.open(QIODevice::ReadOnly))
            result.Source = QString::fromUtf8(source.readAll());
        return result;
    }

    /// The numbers of the generated array that holds the resource name under language.
    static std::vector<unsigned> Array(const QString& source, const QString& name,
                                       const QString& language) {
        const QRegularExpression entry(QStringLiteral("\\{TResourceType::\\w+, \"%1\", %2, "
                                                      "(Resource\\d+), (\\d+)\\}")
                                           .arg(QRegularExpression::escape(name), language));
        const auto match = entry.match(source);
        if (!match.hasMatch())
            return {};
        const QRegularExpression array(match.captured(1) +
                                       QStringLiteral("\\[\\] = \\{([^}]*)\\}"));
        std::vector<unsigned> values;
        const auto body = array.match(source).captured(1);
        for (const QString& value : body.split(QLatin1Char(','))) {
            if (!value.trimmed().isEmpty())
                values.push_back(value.trimmed().toUInt(nullptr, 16));
        }
        return values;
    }

    QTemporaryDir FDir;
};

std::vector<unsigned> Block(const std::vector<std::u16string>& entries) {
    std::vector<unsigned> words;
    for (std::size_t i = 0; i < 16; ++i) {
        const std::u16string text = i < entries.size() ? entries[i] : std::u16string();
        words.push_back(static_cast<unsigned>(text.size()));
        words.insert(words.end(), text.begin(), text.end());
    }
    return words;
}

TEST_F(ResourcePacker, PacksTextsIntoBlocksOfSixteen) {
    WriteFile(QStringLiteral("strings/en.txt"),
              "# comment\n\n16\tab\n18\t\xC3\xBC\\tx\\\\n\\n\n33\t@URL@ @OTHER@\r\n47\t\n");
    const TPackResult result = Pack("strings 0x0409 strings/en.txt\n",
                                    {QStringLiteral("-D"), QStringLiteral("URL=https://x.test")});
    ASSERT_EQ(result.ExitCode, 0) << result.Errors.toStdString();
    EXPECT_EQ(Array(result.Source, QStringLiteral("#2"), QStringLiteral("0x0409")),
              Block({u"ab", u"", u"\u00FC\tx\\n\n"}));
    std::vector<std::u16string> third(16);
    third[1] = u"https://x.test @OTHER@";
    EXPECT_EQ(Array(result.Source, QStringLiteral("#3"), QStringLiteral("0x0409")), Block(third));
    EXPECT_TRUE(Array(result.Source, QStringLiteral("#1"), QStringLiteral("0x0409")).empty());
}

TEST_F(ResourcePacker, EncodesCharactersBeyondTheBasicPlaneAsSurrogatePairs) {
    WriteFile(QStringLiteral("en.txt"), "0\t\xF0\x9F\x94\xA5\n");
    const TPackResult result = Pack("strings 0 en.txt\n");
    ASSERT_EQ(result.ExitCode, 0) << result.Errors.toStdString();
    EXPECT_EQ(Array(result.Source, QStringLiteral("#1"), QStringLiteral("0x0000")),
              Block({u"\U0001F525"}));
}

TEST_F(ResourcePacker, PacksRawDataAsItsBytes) {
    WriteFile(QStringLiteral("help/en.rtf"), QByteArray("{\\rtf1\0\xFF}", 9));
    WriteFile(QStringLiteral("help/empty.rtf"), QByteArray());
    const TPackResult result = Pack("rawdata HelpContentsText 9 help/en.rtf\n"
                                    "rawdata EMPTY 9 help/empty.rtf\n");
    ASSERT_EQ(result.ExitCode, 0) << result.Errors.toStdString();
    EXPECT_EQ(Array(result.Source, QStringLiteral("HELPCONTENTSTEXT"), QStringLiteral("0x0009")),
              (std::vector<unsigned>{'{', '\\', 'r', 't', 'f', '1', 0, 0xFF, '}'}));
    EXPECT_TRUE(result.Source.contains(QStringLiteral("\"EMPTY\", 0x0009, Resource1, 0}")));
    QFile depfile(FDir.filePath(QStringLiteral("out.d")));
    ASSERT_TRUE(depfile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(depfile.readAll().contains("help/en.rtf"));
}

TEST_F(ResourcePacker, AddsResourcesTheBuildMakesFromTheCommandLine) {
    WriteFile(QStringLiteral("a.txt"), "1\tx\n");
    WriteFile(QStringLiteral("build dir/libuTrx.so"), "\x7F"
                                                      "ELF");
    const TPackResult result =
        Pack("strings 0 a.txt\n",
             {QStringLiteral("--rawdata"), QStringLiteral("UTRX"), QStringLiteral("0"),
              FDir.filePath(QStringLiteral("build dir/libuTrx.so"))});
    ASSERT_EQ(result.ExitCode, 0) << result.Errors.toStdString();
    EXPECT_EQ(Array(result.Source, QStringLiteral("UTRX"), QStringLiteral("0x0000")),
              (std::vector<unsigned>{0x7F, 'E', 'L', 'F'}));
    QFile depfile(FDir.filePath(QStringLiteral("out.d")));
    ASSERT_TRUE(depfile.open(QIODevice::ReadOnly));
    EXPECT_TRUE(depfile.readAll().contains("build\\ dir/libuTrx.so"));
}

struct TBadInput {
    const char* Name;
    const char* Manifest;
    const char* File;    // written as a.txt
    const char* Message; // part of the error
};

const TBadInput BadInputs[] = {
    {"DuplicateId", "strings 0 a.txt", "5\tx\n5\ty\n", "a.txt:2: id 5 appears twice"},
    {"NoTab", "strings 0 a.txt", "5 x\n", "a.txt:1: expected an id, a tab"},
    {"IdTooLarge", "strings 0 a.txt", "65536\tx\n", "a.txt:1: id \"65536\""},
    {"InvalidUtf8", "strings 0 a.txt", "1\t\xC3\n", "a.txt:1: truncated UTF-8"},
    {"OverlongUtf8", "strings 0 a.txt", "1\t\xC0\xAF\n", "a.txt:1: invalid UTF-8"},
    {"EncodedSurrogate", "strings 0 a.txt", "1\t\xED\xA0\x80\n", "a.txt:1: invalid UTF-8"},
    {"UnknownEscape", "strings 0 a.txt", "1\tC:\\x\n", "a.txt:1: unknown escape \\x"},
    {"TrailingBackslash", "strings 0 a.txt", "1\tx\\\n", "a.txt:1: a backslash ends"},
    {"IdMissingInASet", "strings 0 a.txt\nstrings 7 b.txt", "1\tx\n2\ty\n", "id 2"},
    {"MissingFile", "strings 0 nothing.txt", "", "cannot open"},
    {"UnknownKind", "icon 0 a.txt", "", "resources.manifest:1: expected"},
    {"ListedTwice", "strings 0 a.txt\nstrings 0x0 a.txt", "1\tx\n", "listed twice"},
    {"BadLanguage", "strings german a.txt", "1\tx\n", "language \"german\""},
    {"Nothing", "# empty", "", "lists no resources"},
};

class ResourcePackerErrors : public ResourcePacker,
                             public testing::WithParamInterface<TBadInput> {};

TEST_P(ResourcePackerErrors, FailTheBuildWithAMessageNamingThePlace) {
    WriteFile(QStringLiteral("a.txt"), GetParam().File);
    WriteFile(QStringLiteral("b.txt"), "1\tx\n");
    const TPackResult result = Pack(GetParam().Manifest);
    EXPECT_NE(result.ExitCode, 0);
    EXPECT_TRUE(result.Errors.contains(QString::fromUtf8(GetParam().Message)))
        << result.Errors.toStdString();
    EXPECT_TRUE(result.Source.isEmpty()) << "no source left behind";
}

INSTANTIATE_TEST_SUITE_P(Inputs, ResourcePackerErrors, testing::ValuesIn(BadInputs),
                         [](const testing::TestParamInfo<TBadInput>& info) {
                             return std::string(info.param.Name);
                         });

} // namespace
