// One print through a real print queue: CUPS with its PDF printer (scripts/start-cups.sh sets
// up the queue), reached through the same code the command SchemePrintAll runs, and the PDF that
// arrives at the other end read back. Skips where no such queue exists.
#include "PdfReader.h"
#include "PrintTestSupport.h"
#include "PrintedReport.h"
#include "TPrinterSetupDialog.h"
#include "zeft_Print.h"
#include "zeft_PrintCommands.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <gtest/gtest.h>
#include <set>
#include <thread>

namespace zeft::test {
namespace {

QString Setting(const char* name, const char* fallback) {
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? QString::fromLatin1(fallback) : value;
}

std::set<QString> PdfFiles(const QDir& folder) {
    std::set<QString> files;
    for (const QString& name : folder.entryList({QStringLiteral("*.pdf")}, QDir::Files))
        files.insert(name);
    return files;
}

/// Waits for a PDF file that was not there before and has stopped growing.
QString WaitForNewPdf(const QDir& folder, const std::set<QString>& before,
                      std::chrono::seconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    qint64 lastSize = -1;
    QString candidate;
    while (std::chrono::steady_clock::now() < deadline) {
        for (const QString& name : PdfFiles(folder)) {
            if (!before.count(name)) {
                candidate = folder.filePath(name);
                break;
            }
        }
        if (!candidate.isEmpty()) {
            const qint64 size = QFileInfo(candidate).size();
            if (size > 0 && size == lastSize)
                return candidate;
            lastSize = size;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    return {};
}

QString QueueState(const QString& queue) {
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-p"), queue, QStringLiteral("-o")});
    lpstat.waitForFinished(10000);
    return QString::fromUtf8(lpstat.readAll());
}

TEST(PrintQueue, PrintAllReachesTheCupsPdfPrinter) {
    const QString queue = Setting("ZEFT_CUPS_QUEUE", "ZEFT_PDF");
    const QDir out(Setting("ZEFT_CUPS_PDF_DIR", "/var/spool/cups-pdf-zeft"));
    if (!QPrinterInfo::availablePrinterNames().contains(queue))
        GTEST_SKIP() << "No CUPS print queue " << queue.toStdString()
                     << " here: CUPS or its PDF printer (cups, printer-driver-cups-pdf) is not "
                        "installed or not running. scripts/start-cups.sh sets them up.";
    if (!out.exists() || !QFileInfo(out.path()).isReadable())
        GTEST_SKIP() << "The PDF printer's folder " << out.path().toStdString()
                     << " cannot be read by this user.";

    const TLanguageScope language(English, QLocale(QLocale::English, QLocale::UnitedKingdom));
    const auto locations = TemplateLocations();
    const std::set<QString> before = PdfFiles(out);

    // The user picks the queue in the printer set-up dialog and presses OK.
    TPrinterSetupDialog::SetAnswer([&](QPrinter& printer) {
        printer.setPrinterName(queue);
        return true;
    });
    TZEFTPrintProfiles print;
    const bool printed = SchemePrintAllRun(print, nullptr, *locations);
    TPrinterSetupDialog::SetAnswer({});
    ASSERT_TRUE(printed);

    const QString arrived = WaitForNewPdf(out, before, std::chrono::seconds(120));
    ASSERT_FALSE(arrived.isEmpty())
        << "no PDF arrived in " << out.path().toStdString() << "; the queue says:\n"
        << QueueState(queue).toStdString();
    // cups-pdf names the file after the print job's title.
    EXPECT_TRUE(QFileInfo(arrived).fileName().contains(QStringLiteral("Heating_Profiles")))
        << arrived.toStdString();
    // cups-pdf keeps the title as the PostScript string it got, "(Heating Profiles)".
    EXPECT_TRUE(
        PdfInfo(arrived, QStringLiteral("Title")).contains(QStringLiteral("Heating Profiles")));
    EXPECT_TRUE(PdfInfo(arrived, QStringLiteral("Page size")).contains(QStringLiteral("A4")));

    const QStringList days = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                              "Friday", "Saturday", "Sunday"};
    const TPrintedReport report = ParseReport(ReadPdf(arrived), days);
    EXPECT_TRUE(report.Problems.isEmpty()) << report.Problems.join('\n').toStdString();
    EXPECT_EQ(report.Heading, QStringLiteral("Heating Profiles"));
    EXPECT_EQ(report.PageCount, 3);
    ASSERT_EQ(report.Footers.size(), 3u);
    EXPECT_EQ(report.Footers[2].PageNumbers, QStringLiteral("Page 3 of 3"));
    QStringList expectedNames;
    for (int i = 0; i < locations->Count(); ++i)
        expectedNames.append(QString::fromStdString(locations->Items(i).DisplayText));
    EXPECT_EQ(report.Names(), expectedNames);
    for (const TPrintedBlock& block : report.Blocks) {
        ASSERT_EQ(block.Days.size(), 7u) << block.Name.toStdString();
        EXPECT_EQ(block.Days[0].Times[0], QStringLiteral("00:00")) << block.Name.toStdString();
    }
    EXPECT_EQ(report.Blocks.at(0).Days[0].Times[1], QStringLiteral("17:00"));
    EXPECT_EQ(report.Blocks.at(0).Days[0].Temperatures[1], QStringLiteral("20.0°C"));

    if (!HasFailure())
        QFile::remove(arrived);
}

} // namespace
} // namespace zeft::test
