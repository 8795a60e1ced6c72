// The editor's developer program: the seven day rows of one template in a window.
//   zeft_editor_devview [template] [--select day:period] [--screenshot file.png [--delay ms]]
//                       [--print]
#include "TDailyComfortIntervalsSlider.h"
#include "TDevViewWindow.h"
#include "zeft_DisplayScale.h"
#include "zeft_LanguageResources.h"
#include "zeft_Templates.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addPositionalArgument("template", "Template to show, 0 to 9 (default 1).");
    const QCommandLineOption select("select", "Select period P of day D (0 = Monday).", "D:P");
    const QCommandLineOption screenshot("screenshot", "Save the window as PNG and quit.", "file");
    const QCommandLineOption delay("delay", "Wait this long before the screenshot.", "ms", "300");
    const QCommandLineOption print("print", "Print the program of the week on leaving.");
    const QCommandLineOption language("language", "Language: 7, 9 or 12.", "id");
    parser.addOptions({select, screenshot, delay, print, language});
    parser.process(app);

    zeft::InitLanguageFromUserDefault();
    if (parser.isSet(language))
        zeft::LanguageID = static_cast<zeft::TLanguageId>(parser.value(language).toUInt());
    zeft::InitDisplayScale();

    const QStringList args = parser.positionalArguments();
    bool ok = true;
    const int templateIndex = args.isEmpty() ? 1 : args.first().toInt(&ok);
    if (!ok || templateIndex < 0 || templateIndex >= zeft::TemplateCount) {
        std::fprintf(stderr, "The template must be a number from 0 to %d.\n",
                     zeft::TemplateCount - 1);
        return 2;
    }

    zeft::TDevViewWindow window(
        zeft::CreateTemplateLocation(templateIndex, zeft::LoadLanguageStringUtf8));
    window.show();

    if (parser.isSet(select)) {
        const QStringList parts = parser.value(select).split(':');
        if (!window.Select(parts.value(0).toInt(), parts.value(1).toInt()))
            std::fprintf(stderr, "There is no period %s.\n", qPrintable(parser.value(select)));
    }

    if (parser.isSet(screenshot)) {
        const QString file = parser.value(screenshot);
        QTimer::singleShot(parser.value(delay).toInt(), &window, [&window, file] {
            if (!window.grab().save(file))
                std::fprintf(stderr, "Cannot write %s\n", qPrintable(file));
            QApplication::quit();
        });
    }
    const int result = QApplication::exec();
    if (parser.isSet(print))
        std::printf("%s", qPrintable(window.ProgramText()));
    return result;
}
