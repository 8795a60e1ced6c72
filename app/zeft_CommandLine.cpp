#include "zeft_CommandLine.h"

#include "zeft_LanguageResources.h"
#include "zeft_StringIds.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace zeft {

namespace {

// Whether the toolkit may know an option the program does not: its own options come with one
// dash (which the parser reads as a run of short options) or, for a few, with two. Anything
// else with two dashes is wrong whatever the toolkit says, and is answered without a display.
bool ToolkitMayKnow(const QStringList& arguments) {
    static const QStringList toolkitOptions = {QStringLiteral("platform"),
                                               QStringLiteral("platformpluginpath"),
                                               QStringLiteral("platformtheme"),
                                               QStringLiteral("plugin"),
                                               QStringLiteral("qwindowgeometry"),
                                               QStringLiteral("geometry"),
                                               QStringLiteral("qwindowtitle"),
                                               QStringLiteral("title"),
                                               QStringLiteral("qwindowicon"),
                                               QStringLiteral("icon"),
                                               QStringLiteral("reverse"),
                                               QStringLiteral("session"),
                                               QStringLiteral("style"),
                                               QStringLiteral("stylesheet"),
                                               QStringLiteral("widgetcount"),
                                               QStringLiteral("display"),
                                               QStringLiteral("name"),
                                               QStringLiteral("nograb"),
                                               QStringLiteral("dograb"),
                                               QStringLiteral("sync"),
                                               QStringLiteral("qmljsdebugger")};
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QStringLiteral("--"))
            break;
        if (!argument.startsWith(QStringLiteral("--")))
            continue;
        const QString name = argument.mid(2).section(QLatin1Char('='), 0, 0);
        if (!toolkitOptions.contains(name))
            return false;
    }
    return true;
}

} // namespace

TCommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(LoadLanguageString(TextId::ProductName));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QString file = LoadLanguageString(TextId::CommandLineFileName);
    parser.addPositionalArgument(file, LoadLanguageString(TextId::CommandLineFileHelp),
                                 QLatin1Char('[') + file + ']');

    TCommandLine result;
    const QString program = QStringLiteral("zeft");
    const bool parsed = parser.parse(arguments);
    // The usage line names the program as it is installed (without an application object the
    // parser knows no name, with one it gives the path it was run by).
    QString usage = parser.helpText();
    const qsizetype nameStart = usage.indexOf(QLatin1Char(' ')) + 1;
    const qsizetype nameEnd = usage.indexOf(QStringLiteral(" ["));
    if (nameStart > 0 && nameEnd > nameStart)
        usage.replace(nameStart, nameEnd - nameStart, program);

    if (parsed && (parser.isSet(help) || parser.isSet(QStringLiteral("help-all")))) {
        result.Action = TCommandLine::TAction::Print;
        result.Output = usage;
        return result;
    }
    if (parsed && parser.isSet(version)) {
        result.Action = TCommandLine::TAction::Print;
        result.Output = program + ' ' + GetVersionInfoValue(QStringLiteral("FileVersion")) + '\n';
        return result;
    }
    const QStringList files = parser.positionalArguments();
    if (!parsed || files.size() > 1) {
        // What is wrong (in the toolkit's words, for an unknown option), then how it goes.
        result.Action = TCommandLine::TAction::Fail;
        result.UnknownOption = !parsed && ToolkitMayKnow(arguments);
        result.Output =
            (parsed ? QString()
                    : program + QStringLiteral(": ") + parser.errorText() + QLatin1Char('\n')) +
            usage;
        return result;
    }
    if (files.size() == 1 && !files.constFirst().isEmpty()) {
        // The folder as the kernel walks it ("l/.." after a link l is the link's parent, not
        // "."); the file's own name stays, so that a link to the file is kept.
        const QFileInfo file(files.constFirst());
        const QString folder = QFileInfo(file.path()).canonicalFilePath();
        result.File = folder.isEmpty() ? QDir::cleanPath(file.absoluteFilePath())
                                       : QDir(folder).filePath(file.fileName());
    }
    return result;
}

int AnswerCommandLine(const TCommandLine& commandLine) {
    const bool failed = commandLine.Action == TCommandLine::TAction::Fail;
    std::FILE* stream = failed ? stderr : stdout;
    std::fputs(commandLine.Output.toLocal8Bit().constData(), stream);
    std::fflush(stream);
    return failed ? 1 : 0;
}

QStringList CommandLineArguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace zeft
