#pragma once

#include <QApplication>

namespace zeft {

/// The application object: any error that escapes an event handler is shown in a message box
/// with its text, and the program goes on.
class TZEFTApplication : public QApplication {
    Q_OBJECT

public:
    TZEFTApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    /// The default error report.
    static void ShowErrorReport(const QString& text);
};

/// The program: language, settings, display scale, the windows in their order, the message
/// loop. Returns the exit code.
int RunProgram(int argc, char** argv);

} // namespace zeft
