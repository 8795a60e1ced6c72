// Takes screenshots of the about box and the help window as the screen shows them, for looking at
// them by eye (docs/). Run it on a real display or under Xvfb:
//   xvfb-run -s "-screen 0 1280x1024x24" zeft_about_screenshots OUTPUT_FOLDER
#include "zeft_About.h"
#include "zeft_Help.h"
#include "zeft_LanguageResources.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTest>
#include <cstdio>

namespace {

bool Shoot(QWidget& window, const QString& fileName) {
    window.show();
    window.raise();
    window.activateWindow();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    QTest::qWait(300);
    const QRect frame = window.frameGeometry();
    const QPixmap shot =
        window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    window.hide();
    return shot.save(fileName);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const struct {
        const char* Name;
        zeft::TLanguageId Language;
    } languages[] = {{"en", 9}, {"de", 7}, {"fr", 12}};
    zeft::TZEFTAboutForm about;
    zeft::TZEFTHelpForm help;
    for (const auto& language : languages) {
        zeft::LanguageID = language.Language;
        zeft::SublanguageID = 1;
        const QString suffix = QLatin1String(language.Name) + QStringLiteral(".png");
        if (!Shoot(about, out.filePath(QStringLiteral("about-box-") + suffix)) ||
            !Shoot(help, out.filePath(QStringLiteral("help-window-") + suffix))) {
            std::fprintf(stderr, "cannot take the screenshots\n");
            return 1;
        }
    }
    return 0;
}
