#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace zeft {

/// What the command line asks for: `zeft [FILE]`, `zeft --help`, `zeft --version`.
struct TCommandLine {
    enum class TAction {
        Run,   ///< start the window (with File, if one is named)
        Print, ///< print Output to the terminal and end with success: help or version
        Fail,  ///< the arguments are wrong: Output says why
    };
    TAction Action = TAction::Run;
    QString Output;
    /// Fail because of an option the program does not know: it may be one of the toolkit's own.
    bool UnknownOption = false;
    /// The schedule file to open instead of the stored last file, as a full path.
    std::optional<QString> File;
};

/// Reads the arguments (the program's name first). Needs no application object and no
/// display, so that help and version answer without one. Texts are in the current language.
TCommandLine ParseCommandLine(const QStringList& arguments);

/// The arguments as the platform hands them to main().
QStringList CommandLineArguments(int argc, char** argv);

/// Prints the output of a Print or Fail answer (to standard output or standard error) and
/// gives the program's exit code: 0 after help or version, 1 after wrong arguments.
int AnswerCommandLine(const TCommandLine& commandLine);

} // namespace zeft
