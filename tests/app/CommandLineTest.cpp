// The command line: read without an application object, and answered by the real program
// without a display.
#include "zeft_CommandLine.h"
#include "zeft_LanguageResources.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zeft {
namespace {

using TAction = TCommandLine::TAction;

struct TArgumentsCase {
    const char* Name;
    QStringList Arguments; // after the program's name
    TAction Action;
    const char* Output; // contained in the output
    const char* File;   // the full path to open, relative paths against the working folder
    bool LeftToTheToolkit = false; // unknown here, but possibly one of the toolkit's options
};

const TArgumentsCase ArgumentCases[] = {
    {"None", {}, TAction::Run, "", nullptr},
    {"AbsolutePath", {"/home/anna/Heizung.zeft"}, TAction::Run, "", "/home/anna/Heizung.zeft"},
    {"SpacesAndUmlauts",
     {QString::fromUtf8("/home/jürgen/Küche und Bad.zeft")},
     TAction::Run,
     "",
     "/home/jürgen/Küche und Bad.zeft"},
    {"Relative",
     {QString::fromUtf8("Pläne/ein Haus.zeft")},
     TAction::Run,
     "",
     "Pläne/ein Haus.zeft"},
    {"DotsAreResolved", {"/home/a/../b/./c.zeft"}, TAction::Run, "", "/home/b/c.zeft"},
    {"AfterDoubleDash", {"--", "-odd name.zeft"}, TAction::Run, "", "-odd name.zeft"},
    {"Help", {"--help"}, TAction::Print, "Usage: zeft [options] [file]\n", nullptr},
    {"ShortHelp", {"-h"}, TAction::Print, "Heating configuration file to open instead", nullptr},
    {"HelpAll", {"--help-all"}, TAction::Print, "Usage: zeft [options] [file]\n", nullptr},
    {"Version", {"--version"}, TAction::Print, "zeft " ZEFT_TEST_VERSION "\n", nullptr},
    {"ShortVersion", {"-v"}, TAction::Print, "zeft " ZEFT_TEST_VERSION "\n", nullptr},
    {"TwoFiles", {"a.zeft", "b.zeft"}, TAction::Fail, "Usage: zeft", nullptr},
    {"UnknownOption",
     {"--frobnicate"},
     TAction::Fail,
     "zeft: Unknown option 'frobnicate'.",
     nullptr},
    {"UnknownOptionBesideAToolkitOne",
     {"--style=Fusion", "--frobnicate"},
     TAction::Fail,
     "zeft: Unknown option",
     nullptr},
    {"ToolkitOption", {"-platform", "offscreen"}, TAction::Fail, "", nullptr, true},
    {"ToolkitOptionWithTwoDashes", {"--style=Fusion"}, TAction::Fail, "", nullptr, true},
};

class CommandLine : public testing::TestWithParam<TArgumentsCase> {};

TEST_P(CommandLine, IsReadWithoutAnApplicationObject) {
    const TArgumentsCase& c = GetParam();
    const TCommandLine line =
        ParseCommandLine(QStringList{QStringLiteral("/usr/bin/zeft")} + c.Arguments);
    EXPECT_EQ(line.Action, c.Action);
    EXPECT_TRUE(line.Output.contains(QString::fromUtf8(c.Output))) << line.Output.toStdString();
    if (c.File) {
        const QString file = QString::fromUtf8(c.File);
        ASSERT_TRUE(line.File.has_value());
        EXPECT_EQ(*line.File, QDir::isAbsolutePath(file) ? file : QDir::current().filePath(file));
    } else {
        EXPECT_FALSE(line.File.has_value());
    }
    EXPECT_EQ(line.UnknownOption, c.LeftToTheToolkit);
}

INSTANTIATE_TEST_SUITE_P(Arguments, CommandLine, testing::ValuesIn(ArgumentCases),
                         [](const testing::TestParamInfo<TArgumentsCase>& info) {
                             return std::string(info.param.Name);
                         });

TEST(CommandLine, DotDotAfterALinkIsTakenAsTheKernelTakesIt) {
    QTemporaryDir base;
    ASSERT_TRUE(QDir(base.path()).mkpath("a/b"));
    ASSERT_TRUE(QFile::link(base.filePath("a/b"), base.filePath("l")));
    const TCommandLine line = ParseCommandLine(
        {QStringLiteral("/usr/bin/zeft"), base.filePath("l") + QStringLiteral("/../x.zeft")});
    ASSERT_TRUE(line.File.has_value());
    EXPECT_EQ(*line.File, QDir(base.path()).canonicalPath() + QStringLiteral("/a/x.zeft"));
}

TEST(CommandLine, HelpIsInTheCurrentLanguage) {
    const TLanguageId saved = LanguageID;
    LanguageID = 7;
    const TCommandLine line = ParseCommandLine({QStringLiteral("zeft"), QStringLiteral("-h")});
    LanguageID = saved;
    EXPECT_TRUE(line.Output.contains(QString::fromUtf8("Usage: zeft [options] [Datei]")))
        << line.Output.toStdString();
    EXPECT_TRUE(line.Output.contains(QString::fromUtf8("Programmier-Software für")));
}

struct TProgramCase {
    const char* Name;
    QStringList Arguments;
    int ExitCode;
    const char* Output; // the start of what the program prints
};

const TProgramCase ProgramCases[] = {
    {"Help", {"--help"}, 0, "Usage: zeft [options] [file]\n"},
    {"Version", {"--version"}, 0, "zeft " ZEFT_TEST_VERSION "\n"},
    {"TwoFiles", {"a.zeft", "b.zeft"}, 1, "Usage: zeft [options] [file]\n"},
    {"UnknownOption", {"--frobnicate"}, 1, "zeft: Unknown option 'frobnicate'.\n"},
};

class ProgramWithoutDisplay : public testing::TestWithParam<TProgramCase> {};

TEST_P(ProgramWithoutDisplay, AnswersAndEnds) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("en_US.UTF-8"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_US.UTF-8"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(ZEFT_EXECUTABLE), GetParam().Arguments);
    ASSERT_TRUE(program.waitForFinished(20000)) << "still running: it waits for a display";
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), GetParam().ExitCode);
    const QString printed =
        QString::fromLocal8Bit(GetParam().ExitCode == 0 ? program.readAllStandardOutput()
                                                        : program.readAllStandardError());
    EXPECT_TRUE(printed.startsWith(QString::fromUtf8(GetParam().Output))) << printed.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Arguments, ProgramWithoutDisplay, testing::ValuesIn(ProgramCases),
                         [](const testing::TestParamInfo<TProgramCase>& info) {
                             return std::string(info.param.Name);
                         });

} // namespace
} // namespace zeft
