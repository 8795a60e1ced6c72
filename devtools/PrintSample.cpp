// Prints the nine templates to a PDF file, for looking at the report by eye:
//   zeft_print_sample OUTPUT.pdf [de|en|fr]
#include "PrintTestSupport.h"
#include "zeft_Print.h"

#include <QApplication>
#include <QPrinter>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.pdf [de|en|fr]\n", argv[0]);
        return 2;
    }
    const QString language = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("en");
    const zeft::TLanguageId id = language == QLatin1String("de")   ? zeft::test::German
                                 : language == QLatin1String("fr") ? zeft::test::French
                                                                   : zeft::test::English;
    const QLocale regional =
        language == QLatin1String("de")   ? QLocale(QLocale::German, QLocale::Germany)
        : language == QLatin1String("fr") ? QLocale(QLocale::French, QLocale::France)
                                          : QLocale(QLocale::English, QLocale::UnitedKingdom);
    const zeft::test::TLanguageScope scope(id, regional);
    zeft::TZEFTPrintProfiles print;
    print.RvSystem.Printer().setOutputFormat(QPrinter::PdfFormat);
    print.RvSystem.Printer().setOutputFileName(QString::fromLocal8Bit(argv[1]));
    const auto locations = zeft::test::TemplateLocations();
    print.PrintAllProfiles(*locations, QString());
    return 0;
}
