// The weekly-program report printed to PDF and read back with poppler: what a person finds on
// the paper, where it stands, in which language and regional format.
#include "PdfReader.h"
#include "PrintTestSupport.h"
#include "PrintedReport.h"
#include "TReportError.h"
#include "zeft_Print.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace zeft::test {
namespace {

const QStringList EnglishDays = {QStringLiteral("Monday"),    QStringLiteral("Tuesday"),
                                 QStringLiteral("Wednesday"), QStringLiteral("Thursday"),
                                 QStringLiteral("Friday"),    QStringLiteral("Saturday"),
                                 QStringLiteral("Sunday")};
const QStringList GermanDays = {QStringLiteral("Montag"),   QStringLiteral("Dienstag"),
                                QStringLiteral("Mittwoch"), QStringLiteral("Donnerstag"),
                                QStringLiteral("Freitag"),  QStringLiteral("Samstag"),
                                QStringLiteral("Sonntag")};
const QStringList FrenchDays = {QStringLiteral("Lundi"),    QStringLiteral("Mardi"),
                                QStringLiteral("Mercredi"), QStringLiteral("Jeudi"),
                                QStringLiteral("Vendredi"), QStringLiteral("Samedi"),
                                QStringLiteral("Dimanche")};

const QStringList EnglishTemplateNames = {QStringLiteral("Living room"),
                                          QStringLiteral("Bedroom"),
                                          QStringLiteral("Playroom"),
                                          QStringLiteral("Kitchen"),
                                          QStringLiteral("Bathroom"),
                                          QStringLiteral("Hall"),
                                          QStringLiteral("Office 5 business days"),
                                          QStringLiteral("Office 5 1/2 business days"),
                                          QStringLiteral("Office 7 business days")};

const QLocale British(QLocale::English, QLocale::UnitedKingdom);

/// Prints into a PDF file in a temporary folder that is kept when the test fails.
class ProfileReport : public testing::Test {
protected:
    ProfileReport() : FPdf(FDir.filePath(QStringLiteral("report.pdf"))) {
        QPrinter& printer = FPrint.RvSystem.Printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(FPdf);
        // A day whose number is no month's, so that day and month cannot be confused.
        FPrint.Today = [] { return PrintDay; };
    }

    static inline const QDate PrintDay{2026, 3, 17};

    void TearDown() override {
        if (HasFailure()) {
            FDir.setAutoRemove(false);
            std::cout << "The printed report is kept in " << FPdf.toStdString() << "\n";
        }
    }

    TPrintedReport Printed(const QStringList& dayNames) const {
        return ParseReport(ReadPdf(FPdf), dayNames);
    }

    QTemporaryDir FDir;
    QString FPdf;
    TZEFTPrintProfiles FPrint;
};

TEST_F(ProfileReport, AllNineTemplatesGiveNineBlocksOfSevenDaysInCollectionOrder) {
    const TLanguageScope language(English, British);
    const auto locations = TemplateLocations();
    FPrint.PrintAllProfiles(*locations, QString());

    const TPrintedReport report = Printed(EnglishDays);
    EXPECT_TRUE(report.Problems.isEmpty()) << report.Problems.join('\n').toStdString();
    EXPECT_EQ(report.Heading, QStringLiteral("Heating Profiles"));
    EXPECT_EQ(report.Names(), EnglishTemplateNames);
    ASSERT_EQ(report.Blocks.size(), 9u);
    for (int i = 0; i < 9; ++i) {
        const TPrintedBlock& block = report.Blocks[static_cast<std::size_t>(i)];
        const THeatingLocation& location = locations->Items(i);
        ASSERT_EQ(block.Days.size(), 7u) << block.Name.toStdString();
        for (int d = 0; d < 7; ++d) {
            const TPrintedDay& printed = block.Days[static_cast<std::size_t>(d)];
            const TDailyHeatingIntervals& day = location.Days(d);
            EXPECT_EQ(printed.Name, EnglishDays[d]);
            for (int slot = 0; slot < Slots; ++slot) {
                const bool used = slot < day.Count();
                EXPECT_EQ(printed.Times[slot], used ? Clock(day.Items(slot).Start()) : QString())
                    << block.Name.toStdString() << " " << printed.Name.toStdString() << " slot "
                    << slot;
                EXPECT_EQ(printed.Temperatures[slot],
                          used ? QStringLiteral("%1°C").arg(day.Items(slot).Temperature().Value(),
                                                            0, 'f', 1)
                               : QString())
                    << block.Name.toStdString() << " " << printed.Name.toStdString() << " slot "
                    << slot;
            }
        }
    }
    // Heading and block 81.08 mm each: three blocks fill the 255 mm above the footer, the
    // fourth moves on.
    EXPECT_EQ(report.PageCount, 3);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(report.Blocks[static_cast<std::size_t>(i)].Page, i / 3) << i;
    ASSERT_EQ(report.Footers.size(), 3u);
    for (int page = 0; page < 3; ++page) {
        const TPrintedFooter& footer = report.Footers[static_cast<std::size_t>(page)];
        EXPECT_EQ(footer.PrintedOn, QStringLiteral("Printed on 17/03/2026"));
        EXPECT_EQ(footer.PageNumbers, QStringLiteral("Page %1 of 3").arg(page + 1));
    }
}

TEST_F(ProfileReport, ShortDaysLeaveTheirLaterSlotsEmpty) {
    const TLanguageScope language(English, British);
    const auto livingRoom = TemplateLocation(1);
    ASSERT_TRUE(FPrint.PrintProfile(livingRoom.get(), QString()));

    const TPrintedReport report = Printed(EnglishDays);
    ASSERT_EQ(report.Blocks.size(), 1u);
    const auto& days = report.Blocks[0].Days;
    ASSERT_EQ(days.size(), 7u);
    const QStringList none;
    EXPECT_EQ(days[0].Times, (QStringList{"00:00", "17:00", "23:00", "", "", "", ""}));
    EXPECT_EQ(days[0].Temperatures, (QStringList{"17.0°C", "20.0°C", "17.0°C", "", "", "", ""}));
    EXPECT_EQ(days[5].Times, (QStringList{"00:00", "09:00", "", "", "", "", ""}));
    EXPECT_EQ(days[5].Temperatures, (QStringList{"17.0°C", "20.0°C", "", "", "", "", ""}));
    EXPECT_EQ(days[6].Times, (QStringList{"00:00", "09:00", "23:00", "", "", "", ""}));
}

TEST_F(ProfileReport, AFullDayFillsAllSevenSlots) {
    const TLanguageScope language(English, British);
    const auto kitchen = TemplateLocation(4);
    ASSERT_TRUE(FPrint.PrintProfile(kitchen.get(), QString()));

    const TPrintedReport report = Printed(EnglishDays);
    ASSERT_EQ(report.Blocks.size(), 1u);
    ASSERT_EQ(report.Blocks[0].Days.size(), 7u);
    const TPrintedDay& friday = report.Blocks[0].Days[4];
    EXPECT_EQ(friday.Times,
              (QStringList{"00:00", "06:30", "09:00", "11:30", "13:00", "17:00", "20:00"}));
    EXPECT_EQ(friday.Temperatures,
              (QStringList{"17.0°C", "20.0°C", "17.0°C", "20.0°C", "17.0°C", "20.0°C", "17.0°C"}));
}

TEST_F(ProfileReport, TheLayoutStandsWhereItWasDesigned) {
    const TLanguageScope language(English, British);
    const auto locations = TemplateLocations(1, 2);
    FPrint.PrintAllProfiles(*locations, QString());

    const std::vector<TPdfPage> pages = ReadPdf(FPdf);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NEAR(pages[0].Width, 210.0, 0.5);
    EXPECT_NEAR(pages[0].Height, 297.0, 0.5);

    const TPrintedReport report = ParseReport(pages, EnglishDays);
    ASSERT_EQ(report.Blocks.size(), 2u);
    // Tops of the text lines (the font's ascent sits a little below the field's top).
    constexpr double Near = 1.0;
    EXPECT_NEAR(report.HeadingLeft, 20.0, Near);
    EXPECT_NEAR(report.HeadingTop, 15.0, Near);
    EXPECT_NEAR(report.Blocks[0].NameTop, 15.0 + 7.0 + 5.0, Near);
    EXPECT_NEAR(report.Blocks[0].Days[0].Top, 15.0 + 7.0 + 11.08, Near);
    EXPECT_NEAR(report.Blocks[0].Days[6].Top, 15.0 + 7.0 + 11.08 + 6 * 10.0, Near);
    EXPECT_NEAR(report.Blocks[1].NameTop, 15.0 + 7.0 + 81.08 + 5.0, Near);

    // The footer: the date from the region's left edge, the page numbers up to its right edge.
    const TPdfLine& footer = pages[0].Lines.back();
    EXPECT_EQ(footer.Text(), QStringLiteral("Printed on 17/03/2026 Page 1 of 1"));
    EXPECT_NEAR(footer.Top, FooterTop + 1.5, Near);
    EXPECT_NEAR(footer.Words.front().Left, 20.0, Near);
    EXPECT_NEAR(footer.Words.back().Right, 190.0, Near);

    const TPdfLine* monday = pages[0].FindLine(QStringLiteral("Monday 00:00 17:00 23:00"));
    ASSERT_NE(monday, nullptr);
    EXPECT_NEAR(monday->Words[0].Left, 20.0, Near);
    for (int slot = 0; slot < 3; ++slot)
        EXPECT_NEAR(monday->Words[static_cast<std::size_t>(slot) + 1].Left, SlotLeft(slot), Near);
    // The heading is larger than the location name, which is larger than the data.
    const auto height = [&](const QString& text) {
        const TPdfLine* line = pages[0].FindLine(text);
        return line ? line->Words[0].Bottom - line->Words[0].Top : 0.0;
    };
    EXPECT_GT(height(QStringLiteral("Heating Profiles")), height(QStringLiteral("Living room")));
    EXPECT_GT(height(QStringLiteral("Living room")),
              monday->Words[0].Bottom - monday->Words[0].Top);
}

TEST_F(ProfileReport, BlocksAreNeverSplitAcrossPages) {
    const TLanguageScope language(English, British);
    THeatingLocations locations;
    for (int i = 0; i < 20; ++i) {
        auto location = TemplateLocation(i % 10);
        location->DisplayText = "Room " + std::to_string(i + 1);
        locations.Add(std::move(location));
    }
    FPrint.PrintAllProfiles(locations, QString());

    const TPrintedReport report = Printed(EnglishDays);
    EXPECT_TRUE(report.Problems.isEmpty()) << report.Problems.join('\n').toStdString();
    ASSERT_EQ(report.Blocks.size(), 20u);
    for (const TPrintedBlock& block : report.Blocks)
        EXPECT_EQ(block.Days.size(), 7u) << block.Name.toStdString();
    EXPECT_EQ(report.PageCount, 7); // 3 blocks a page
    for (const TPrintedBlock& block : report.Blocks) {
        for (const TPrintedDay& day : block.Days)
            EXPECT_LT(day.Top + 10.0, FooterTop) << "on the footer of page " << block.Page;
    }
    ASSERT_EQ(report.Footers.size(), 7u);
    EXPECT_EQ(report.Footers[0].PageNumbers, QStringLiteral("Page 1 of 7"));
    EXPECT_EQ(report.Footers[6].PageNumbers, QStringLiteral("Page 7 of 7"));
}

struct TLanguageCase {
    const char* Name;
    TLanguageId Language;
    QLocale Regional;
    const char* Heading;
    QStringList Days;
    const char* FirstLocation;
    const char* MondayTemperature;
    const char* PrintedOn;
    const char* LastPageNumbers;
};

void PrintTo(const TLanguageCase& param, std::ostream* out) {
    *out << param.Name;
}

class ProfileReportLanguage : public ProfileReport,
                              public testing::WithParamInterface<TLanguageCase> {};

TEST_P(ProfileReportLanguage, DayNamesHeadingAndTitleFollowTheLanguage) {
    const TLanguageCase& param = GetParam();
    const TLanguageScope language(param.Language, param.Regional);
    const auto locations = TemplateLocations(1, 4);
    FPrint.PrintAllProfiles(*locations, QString());

    const TPrintedReport report = Printed(param.Days);
    EXPECT_TRUE(report.Problems.isEmpty()) << report.Problems.join('\n').toStdString();
    EXPECT_EQ(report.Heading, QString::fromUtf8(param.Heading));
    ASSERT_EQ(report.Blocks.size(), 4u);
    EXPECT_EQ(report.Blocks[0].Name, QString::fromUtf8(param.FirstLocation));
    for (const TPrintedBlock& block : report.Blocks) {
        ASSERT_EQ(block.Days.size(), 7u);
        for (int d = 0; d < 7; ++d)
            EXPECT_EQ(block.Days[static_cast<std::size_t>(d)].Name, param.Days[d]);
    }
    EXPECT_EQ(report.Blocks[0].Days[0].Temperatures[0], QString::fromUtf8(param.MondayTemperature));
    EXPECT_EQ(PdfInfo(FPdf, QStringLiteral("Title")), QString::fromUtf8(param.Heading));
    ASSERT_EQ(report.Footers.size(), 2u);
    for (const TPrintedFooter& footer : report.Footers)
        EXPECT_EQ(footer.PrintedOn, QString::fromUtf8(param.PrintedOn));
    EXPECT_EQ(report.Footers[1].PageNumbers, QString::fromUtf8(param.LastPageNumbers));
}

INSTANTIATE_TEST_SUITE_P(
    Languages, ProfileReportLanguage,
    testing::Values(TLanguageCase{"English", English, British, "Heating Profiles", EnglishDays,
                                  "Living room", "17.0°C", "Printed on 17/03/2026", "Page 2 of 2"},
                    TLanguageCase{"German", German, QLocale(QLocale::German, QLocale::Germany),
                                  "Wochenprogramm", GermanDays, "Wohnzimmer", "17,0°C",
                                  "Gedruckt am 17.03.26", "Seite 2 von 2"},
                    TLanguageCase{"French", French, QLocale(QLocale::French, QLocale::France),
                                  "Programme hebdomadaire", FrenchDays, "Séjour", "17,0°C",
                                  "Imprimé le 17/03/2026", "Page 2 sur 2"},
                    // The date follows the regional settings, not the language.
                    TLanguageCase{"EnglishInTheUnitedStates", English,
                                  QLocale(QLocale::English, QLocale::UnitedStates),
                                  "Heating Profiles", EnglishDays, "Living room", "17.0°C",
                                  "Printed on 3/17/26", "Page 2 of 2"},
                    // A language without its own texts reads English.
                    TLanguageCase{"Japanese", 0x11, British, "Heating Profiles", EnglishDays,
                                  "Living room", "17.0°C", "Printed on 17/03/2026", "Page 2 of 2"}),
    [](const testing::TestParamInfo<TLanguageCase>& info) { return info.param.Name; });

struct TPaperCase {
    const char* Name;
    QPageSize::PageSizeId Loaded; ///< the paper of the printer chosen
    double Width;                 ///< of the printed pages, millimetres
    double Height;
};

void PrintTo(const TPaperCase& param, std::ostream* out) {
    *out << param.Name;
}

class ProfileReportPaper : public ProfileReport, public testing::WithParamInterface<TPaperCase> {};

TEST_P(ProfileReportPaper, LetterWhenThePrinterHasLetterElseA4) {
    const TPaperCase& param = GetParam();
    const TLanguageScope language(English, British);
    FPrint.RvSystem.Printer().setPageSize(QPageSize(param.Loaded));
    const auto locations = TemplateLocations();
    const QString exported = FDir.filePath(QStringLiteral("exported.pdf"));
    FPrint.PrintAllProfiles(*locations, QString());
    FPrint.ExportAllProfiles(*locations, exported);

    for (const QString& file : {FPdf, exported}) {
        const std::vector<TPdfPage> pages = ReadPdf(file);
        ASSERT_EQ(pages.size(), 3u) << file.toStdString();
        for (const TPdfPage& page : pages) {
            EXPECT_NEAR(page.Width, param.Width, 0.5) << file.toStdString();
            EXPECT_NEAR(page.Height, param.Height, 0.5) << file.toStdString();
        }
        // The layout is the same on either paper, footer included.
        const TPrintedReport report = ParseReport(pages, EnglishDays);
        EXPECT_TRUE(report.Problems.isEmpty()) << report.Problems.join('\n').toStdString();
        ASSERT_EQ(report.Footers.size(), 3u);
        EXPECT_NEAR(report.Footers[2].Top, FooterTop + 1.5, 1.0);
        EXPECT_LT(report.Footers[2].Top + 5.0, param.Height);
        EXPECT_EQ(report.Blocks.size(), 9u);
    }
}

INSTANTIATE_TEST_SUITE_P(Papers, ProfileReportPaper,
                         testing::Values(TPaperCase{"A4", QPageSize::A4, 210.0, 297.0},
                                         TPaperCase{"Letter", QPageSize::Letter, 215.9, 279.4},
                                         TPaperCase{"A5", QPageSize::A5, 210.0, 297.0},
                                         TPaperCase{"Legal", QPageSize::Legal, 210.0, 297.0}),
                         [](const testing::TestParamInfo<TPaperCase>& info) {
                             return info.param.Name;
                         });

TEST_F(ProfileReport, TheExportedPdfIsTheReportOfAllAndLeavesThePrinterAsItWas) {
    const TLanguageScope language(German, QLocale(QLocale::German, QLocale::Germany));
    const auto locations = TemplateLocations(1, 4);
    FPrint.PrintAllProfiles(*locations, QString());
    const QString exported = FDir.filePath(QStringLiteral("Wochenprogramm.pdf"));
    FPrint.ExportAllProfiles(*locations, exported);

    EXPECT_EQ(ReadPdfText(exported), ReadPdfText(FPdf));
    EXPECT_EQ(PdfInfo(exported, QStringLiteral("Title")), QStringLiteral("Wochenprogramm"));
    EXPECT_EQ(PdfInfo(exported, QStringLiteral("Pages")), QStringLiteral("2"));
    const QPrinter& printer = FPrint.RvSystem.Printer();
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer.outputFileName(), FPdf) << "the export must not redirect printing";
}

TEST_F(ProfileReport, ANewExportFollowsTheUmask) {
    const TLanguageScope language(English, British);
    const mode_t saved = umask(077); // a private schedule gives a private PDF
    const QByteArray name = QFile::encodeName(FDir.filePath(QStringLiteral("W\u00e4rme.pdf")));
    FPrint.ExportAllProfiles(*TemplateLocations(5, 6), QFile::decodeName(name));
    umask(saved);
    struct stat written {};
    ASSERT_EQ(stat(name.constData(), &written), 0) << "not written under its own name";
    EXPECT_EQ(written.st_mode & 0777, 0600u);
}

TEST_F(ProfileReport, AnExportReplacesAnEarlierFileAndLeavesNothingElseBehind) {
    const TLanguageScope language(English, British);
    const QString exported = FDir.filePath(QStringLiteral("week.pdf"));
    {
        QFile earlier(exported);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("an earlier export");
    }
    const auto locations = TemplateLocations(5, 6);
    FPrint.ExportAllProfiles(*locations, exported);

    EXPECT_FALSE(QFileInfo::exists(FPdf)) << "nothing was printed";
    const TPrintedReport report = ParseReport(ReadPdf(exported), EnglishDays);
    EXPECT_EQ(report.Names(), (QStringList{"Bathroom", "Hall"}));
    EXPECT_EQ(QDir(FDir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("week.pdf")});
}

TEST_F(ProfileReport, AnExportFollowsTheUsersLinkAndKeepsTheFilesOtherNames) {
    const TLanguageScope language(English, British);
    const std::filesystem::path dir = QFile::encodeName(FDir.path()).toStdString();
    QFile(FDir.filePath(QStringLiteral("week.pdf"))).open(QIODevice::WriteOnly);
    std::filesystem::create_hard_link(dir / "week.pdf", dir / "second.pdf");
    std::filesystem::create_symlink("week.pdf", dir / "link.pdf");

    FPrint.ExportAllProfiles(*TemplateLocations(5, 6), FDir.filePath(QStringLiteral("link.pdf")));

    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.pdf"));
    EXPECT_EQ(std::filesystem::hard_link_count(dir / "week.pdf"), 2u);
    EXPECT_EQ(
        ParseReport(ReadPdf(FDir.filePath(QStringLiteral("second.pdf"))), EnglishDays).Names(),
        (QStringList{"Bathroom", "Hall"}));
}

TEST_F(ProfileReport, AnExportThatCannotBeWrittenRaisesAnErrorAndLeavesNoPart) {
    const TLanguageScope language(English, British);
    const auto locations = TemplateLocations(5, 5);
    EXPECT_THROW(FPrint.ExportAllProfiles(*locations,
                                          FDir.filePath(QStringLiteral("missing folder/week.pdf"))),
                 TReportError);
    // A folder of that name: the report is written, but it cannot take the folder's place.
    ASSERT_TRUE(QDir(FDir.path()).mkdir(QStringLiteral("week.pdf")));
    EXPECT_THROW(FPrint.ExportAllProfiles(*locations, FDir.filePath(QStringLiteral("week.pdf"))),
                 TReportError);
    EXPECT_TRUE(QFileInfo(FDir.filePath(QStringLiteral("week.pdf"))).isDir());
    EXPECT_EQ(QDir(FDir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST_F(ProfileReport, TimesAndTemperaturesFollowTheRegionalSettingsNotTheLanguage) {
    {
        const TLanguageScope language(English, QLocale(QLocale::German, QLocale::Germany));
        const auto livingRoom = TemplateLocation(1);
        ASSERT_TRUE(FPrint.PrintProfile(livingRoom.get(), QString()));
        const TPrintedReport report = Printed(EnglishDays);
        ASSERT_EQ(report.Blocks.size(), 1u);
        EXPECT_EQ(report.Blocks[0].Days[0].Times[1], QStringLiteral("17:00"));
        EXPECT_EQ(report.Blocks[0].Days[0].Temperatures[1], QStringLiteral("20,0°C"));
    }
    {
        const TLanguageScope language(English, QLocale(QLocale::English, QLocale::UnitedStates));
        const auto livingRoom = TemplateLocation(1);
        ASSERT_TRUE(FPrint.PrintProfile(livingRoom.get(), QString()));
        const TPrintedReport report = Printed(EnglishDays);
        ASSERT_EQ(report.Blocks.size(), 1u);
        const QString fivePm = QLocale().toString(QTime(17, 0), QLocale::ShortFormat);
        ASSERT_TRUE(fivePm.contains(QStringLiteral("PM"))) << fivePm.toStdString();
        EXPECT_EQ(report.Blocks[0].Days[0].Times[1].simplified(), fivePm.simplified());
        EXPECT_EQ(report.Blocks[0].Days[0].Temperatures[1], QStringLiteral("20.0°C"));
    }
}

TEST_F(ProfileReport, PrintingAllOfOneLocationGivesTheSameReportAsPrintingIt) {
    const TLanguageScope language(English, British);
    const auto locations = TemplateLocations(5, 5);
    FPrint.PrintAllProfiles(*locations, QString());
    const QString all = ReadPdfText(FPdf);
    ASSERT_TRUE(QFile::remove(FPdf));

    ASSERT_TRUE(FPrint.PrintProfile(&locations->Items(0), QString()));
    EXPECT_EQ(ReadPdfText(FPdf), all);
    EXPECT_TRUE(all.contains(QStringLiteral("Bathroom")));
}

TEST_F(ProfileReport, PrintingAllOfNoLocationGivesTheHeadingAlone) {
    const TLanguageScope language(English, British);
    THeatingLocations none;
    FPrint.PrintAllProfiles(none, QString());

    const std::vector<TPdfPage> pages = ReadPdf(FPdf);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].LineTexts(),
              (QStringList{"Heating Profiles", "Printed on 17/03/2026 Page 1 of 1"}));
}

TEST_F(ProfileReport, PrintingOneLocationWithoutALocationPrintsNothing) {
    const TLanguageScope language(English, British);
    EXPECT_FALSE(FPrint.PrintProfile(nullptr, QString()));
    EXPECT_FALSE(QFileInfo::exists(FPdf));
}

TEST_F(ProfileReport, APrinterNameThatMatchesNoPrinterKeepsTheCurrentPrinter) {
    const TLanguageScope language(English, British);
    const auto hall = TemplateLocation(6);
    ASSERT_TRUE(FPrint.PrintProfile(hall.get(), QStringLiteral("No such printer 4711")));
    EXPECT_EQ(FPrint.RvSystem.Printer().outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(Printed(EnglishDays).Names(), QStringList{QStringLiteral("Hall")});
}

TEST_F(ProfileReport, ALongNameIsCutOffWithAnEllipsisInsideItsField) {
    const TLanguageScope language(English, British);
    auto location = TemplateLocation(2);
    location->DisplayText = std::string(120, 'W');
    ASSERT_TRUE(FPrint.PrintProfile(location.get(), QString()));

    const std::vector<TPdfPage> pages = ReadPdf(FPdf);
    ASSERT_EQ(pages.size(), 1u);
    const TPdfLine& name = pages[0].Lines.at(1);
    EXPECT_TRUE(name.Text().startsWith(QStringLiteral("WWWW")));
    EXPECT_TRUE(name.Text().endsWith(QChar(0x2026))) << name.Text().toStdString();
    EXPECT_LE(name.Words.back().Right, 20.0 + 170.0 + 0.5);
}

TEST_F(ProfileReport, ALocationWithoutDaysPrintsItsDayNamesWithEmptySlots) {
    const TLanguageScope language(English, British);
    THeatingLocation bare;
    bare.DisplayText = "Attic";
    ASSERT_TRUE(FPrint.PrintProfile(&bare, QString()));

    const std::vector<TPdfPage> pages = ReadPdf(FPdf);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].LineTexts(), (QStringList{"Heating Profiles", "Attic", "Monday", "Tuesday",
                                                 "Wednesday", "Thursday", "Friday", "Saturday",
                                                 "Sunday", "Printed on 17/03/2026 Page 1 of 1"}));
}

TEST_F(ProfileReport, APrinterThatCannotStartRaisesAnError) {
    const TLanguageScope language(English, British);
    FPrint.RvSystem.Printer().setOutputFileName(
        FDir.filePath(QStringLiteral("missing folder/report.pdf")));
    const auto hall = TemplateLocation(6);
    EXPECT_THROW(FPrint.PrintProfile(hall.get(), QString()), TReportError);
}

TEST_F(ProfileReport, ThePrintOperationLeavesTheJobTitleAndTheHeadingParameter) {
    const TLanguageScope language(German, QLocale(QLocale::German, QLocale::Germany));
    const auto hall = TemplateLocation(6);
    ASSERT_TRUE(FPrint.PrintProfile(hall.get(), QString()));
    EXPECT_EQ(FPrint.RvSystem.JobTitle(), QStringLiteral("Wochenprogramm"));
    EXPECT_EQ(FPrint.RvProject.Param(QStringLiteral("PageHeading")),
              QStringLiteral("Wochenprogramm"));
    ASSERT_NE(FPrint.RvProject.SelectedReport(), nullptr);
    EXPECT_EQ(FPrint.RvProject.SelectedReport()->PageFullName(),
              QStringLiteral("AllProfiles.Page1"));
}

} // namespace
} // namespace zeft::test
