// The commands SchemePrint and SchemePrintAll: the printer set-up dialog first, then the
// report on the printer chosen there; Cancel and a missing location print nothing. The print
// preview of the displayed location, and printing from it.
#include "PdfReader.h"
#include "PrintTestSupport.h"
#include "PrintedReport.h"
#include "TPrintPreviewDialog.h"
#include "TPrinterSetupDialog.h"
#include "zeft_Print.h"
#include "zeft_PrintCommands.h"

#include <QApplication>
#include <QFileInfo>
#include <QPageRanges>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace zeft::test {
namespace {

class PrintCommands : public testing::Test {
protected:
    PrintCommands() : FPdf(FDir.filePath(QStringLiteral("chosen.pdf"))) {}

    ~PrintCommands() override {
        TPrinterSetupDialog::SetAnswer({});
        TPrintPreviewDialog::SetShow({});
    }

    /// The user picks "print to file" with this file and presses OK (or Cancel).
    void AnswerDialog(bool ok) {
        TPrinterSetupDialog::SetAnswer([this, ok](QPrinter& printer) {
            ++FDialogShown;
            FDialogPrinter = &printer;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(FPdf);
            return ok;
        });
    }

    QTemporaryDir FDir;
    QString FPdf;
    TZEFTPrintProfiles FPrint;
    int FDialogShown = 0;
    QPrinter* FDialogPrinter = nullptr;
    const TLanguageScope FLanguage{English, QLocale(QLocale::English, QLocale::UnitedKingdom)};
};

TEST_F(PrintCommands, PrintPrintsTheLocationOnThePrinterChosenInTheDialog) {
    AnswerDialog(true);
    const auto bedroom = TemplateLocation(2);
    EXPECT_TRUE(SchemePrintRun(FPrint, nullptr, bedroom.get()));
    EXPECT_EQ(FDialogShown, 1);
    EXPECT_EQ(FDialogPrinter, &FPrint.RvSystem.Printer())
        << "the dialog edits the report's printer";
    const QString text = ReadPdfText(FPdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Heating Profiles")));
    EXPECT_TRUE(text.contains(QStringLiteral("Bedroom")));
    EXPECT_EQ(text.count(QStringLiteral("Monday")), 1);
}

TEST_F(PrintCommands, PrintAllPrintsEveryLocationAfterTheDialog) {
    AnswerDialog(true);
    const auto locations = TemplateLocations(1, 4);
    EXPECT_TRUE(SchemePrintAllRun(FPrint, nullptr, *locations));
    EXPECT_EQ(FDialogShown, 1);
    const QString text = ReadPdfText(FPdf);
    for (const char* name : {"Living room", "Bedroom", "Playroom", "Kitchen"})
        EXPECT_TRUE(text.contains(QLatin1String(name))) << name;
    EXPECT_EQ(text.count(QStringLiteral("Sunday")), 4);
}

TEST_F(PrintCommands, APageRangeChosenInTheDialogPrintsOnlyThosePages) {
    TPrinterSetupDialog::SetAnswer([this](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(FPdf);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setPageRanges(QPageRanges::fromString(QStringLiteral("2")));
        return true;
    });
    const auto locations = TemplateLocations(); // three pages
    EXPECT_TRUE(SchemePrintAllRun(FPrint, nullptr, *locations));
    EXPECT_EQ(PdfInfo(FPdf, QStringLiteral("Pages")), QStringLiteral("1"));
    const QString text = ReadPdfText(FPdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Kitchen")));
    EXPECT_FALSE(text.contains(QStringLiteral("Living room")));
    EXPECT_FALSE(text.contains(QStringLiteral("Heating Profiles")));
}

TEST_F(PrintCommands, CancellingTheDialogPrintsNothing) {
    AnswerDialog(false);
    const auto bedroom = TemplateLocation(2);
    const auto locations = TemplateLocations(1, 2);
    EXPECT_FALSE(SchemePrintRun(FPrint, nullptr, bedroom.get()));
    EXPECT_FALSE(SchemePrintAllRun(FPrint, nullptr, *locations));
    EXPECT_EQ(FDialogShown, 2);
    EXPECT_FALSE(QFileInfo::exists(FPdf));
}

TEST_F(PrintCommands, PrintWithoutALocationOnDisplayNeitherAsksNorPrints) {
    AnswerDialog(true);
    EXPECT_FALSE(SchemePrintRun(FPrint, nullptr, nullptr));
    EXPECT_EQ(FDialogShown, 0);
    EXPECT_FALSE(QFileInfo::exists(FPdf));
}

TEST_F(PrintCommands, CancellingTheRealDialogPrintsNothing) {
    QPrinter& printer = FPrint.RvSystem.Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(FPdf);
    bool dialogSeen = false;
    // The dialog is modal: answer it from the event loop it runs.
    std::function<void()> cancel = [&] {
        if (auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget())) {
            dialogSeen = true;
            dialog->reject();
        } else {
            QTimer::singleShot(10, cancel);
        }
    };
    QTimer::singleShot(0, cancel);
    const auto bedroom = TemplateLocation(2);
    EXPECT_FALSE(SchemePrintRun(FPrint, nullptr, bedroom.get()));
    EXPECT_TRUE(dialogSeen);
    EXPECT_FALSE(QFileInfo::exists(FPdf));
}

TEST_F(PrintCommands, ThePreviewShowsTheLocationsPageAndPrintsItOnTheReportsPrinter) {
    QPrinter& printer = FPrint.RvSystem.Printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(FPdf);
    // Left from an earlier print of page 2 only: the preview still shows the whole report.
    printer.setPrintRange(QPrinter::PageRange);
    printer.setPageRanges(QPageRanges::fromString(QStringLiteral("2")));
    int shown = 0;
    int pages = -1;
    QString title;
    TPrintPreviewDialog::SetShow([&](QPrintPreviewDialog& dialog) {
        ++shown;
        dialog.show();
        auto* preview = dialog.findChild<QPrintPreviewWidget*>();
        ASSERT_NE(preview, nullptr);
        pages = preview->pageCount();
        title = dialog.windowTitle();
        preview->print();
        dialog.close();
    });
    const auto bathroom = TemplateLocation(5);
    EXPECT_TRUE(FPrint.PreviewProfile(bathroom.get(), nullptr));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(title, QStringLiteral("Heating Profiles"));

    const TPrintedReport report =
        ParseReport(ReadPdf(FPdf),
                    {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"});
    EXPECT_TRUE(report.Problems.isEmpty()) << report.Problems.join('\n').toStdString();
    EXPECT_EQ(report.Names(), QStringList{QStringLiteral("Bathroom")});
    ASSERT_EQ(report.Footers.size(), 1u);
    EXPECT_EQ(report.Footers[0].PageNumbers, QStringLiteral("Page 1 of 1"));
}

TEST_F(PrintCommands, ThePreviewWithoutALocationShowsNothing) {
    int shown = 0;
    TPrintPreviewDialog::SetShow([&](QPrintPreviewDialog&) { ++shown; });
    EXPECT_FALSE(FPrint.PreviewProfile(nullptr, nullptr));
    EXPECT_EQ(shown, 0);
}

TEST(PrinterSetupDialog, NamesThePrinterOnlyWhenOneWasChosen) {
    QPrinter printer;
    const TPrinterSetupDialog dialog(printer);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStringLiteral("/tmp/out.pdf"));
    EXPECT_EQ(dialog.PrinterName(), QString()) << "printing to a file chooses no printer";

    const QStringList installed = QPrinterInfo::availablePrinterNames();
    if (installed.isEmpty())
        GTEST_SKIP() << "no printer installed to choose";
    printer.setPrinterName(installed.front());
    EXPECT_EQ(dialog.PrinterName(), installed.front());
}

} // namespace
} // namespace zeft::test
