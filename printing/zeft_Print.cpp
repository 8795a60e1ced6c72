#include "zeft_Print.h"

#include "THeatingLocations.h"
#include "TPrintPreviewDialog.h"
#include "TReportError.h"
#include "TScheduleFileError.h"
#include "zeft_AtomicFile.h"
#include "zeft_LanguageResources.h"
#include "zeft_Routines.h"
#include "zeft_StringIds.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPrinter>
#include <QTemporaryFile>
#include <QTime>
#include <functional>

namespace zeft {

namespace {

constexpr int DisplayTextWidth = 64;
constexpr int DayOfWeekWidth = 16;
constexpr int TimeWidth = 12;
constexpr int TemperatureWidth = 8;

/// A period's start in the user's short time format.
QString FormatStartTime(TTime start) {
    const int minutes = MinutesOf(start) % static_cast<int>(MinutesPerDay);
    return QLocale().toString(QTime(minutes / 60, minutes % 60), UserShortTimeFormat());
}

/// Forgets the locations of a print operation when it ends, however it ends: nothing should
/// point at a location the user may delete afterwards.
class TForgetLocations {
public:
    explicit TForgetLocations(std::function<void()> forget) : FForget(std::move(forget)) {}
    ~TForgetLocations() { FForget(); }
    TForgetLocations(const TForgetLocations&) = delete;
    TForgetLocations& operator=(const TForgetLocations&) = delete;

private:
    std::function<void()> FForget;
};

} // namespace

TZEFTPrintProfiles::TZEFTPrintProfiles()
    : RvProject(ProjectFile), connHeatingLocations(QStringLiteral("connHeatingLocations")),
      connComfortIntervals(QStringLiteral("connComfortIntervals")) {
    connHeatingLocations.OnOpen = [this] { return connHeatingLocationsOpen(); };
    connHeatingLocations.OnGetCols = [this](TReportColumns& columns) {
        connHeatingLocationsGetCols(columns);
    };
    connHeatingLocations.OnGetRow = [this](int row, QStringList& values) {
        connHeatingLocationsGetRow(row, values);
    };
    connComfortIntervals.OnOpen = [this] { return connComfortIntervalsOpen(); };
    connComfortIntervals.OnGetCols = [this](TReportColumns& columns) {
        connComfortIntervalsGetCols(columns);
    };
    connComfortIntervals.OnGetRow = [this](int row, QStringList& values) {
        connComfortIntervalsGetRow(row, values);
    };
    RvProject.AddConnection(connHeatingLocations);
    RvProject.AddConnection(connComfortIntervals);
}

bool TZEFTPrintProfiles::PrintProfile(const THeatingLocation* location,
                                      const QString& printerName) {
    // With no location on display there is nothing to print; an empty report would only
    // waste paper.
    if (!location)
        return false;
    const TForgetLocations forget([this] { FSingleLocation = nullptr; });
    FSingleLocation = location;
    FLocations = nullptr;
    FLocationCount = 1;
    RvSystem.SelectPrinter(printerName);
    RunReport([this] { RvProject.Execute(RvSystem); });
    return true;
}

void TZEFTPrintProfiles::BindAllLocations(const THeatingLocations& locations) {
    FLocations = &locations;
    FLocationCount = locations.Count();
    FSingleLocation = locations.Count() > 0 ? &locations.Items(0) : nullptr;
}

void TZEFTPrintProfiles::ForgetLocations() {
    FSingleLocation = nullptr;
    FLocations = nullptr;
}

void TZEFTPrintProfiles::PrintAllProfiles(const THeatingLocations& locations,
                                          const QString& printerName) {
    const TForgetLocations forget([this] { ForgetLocations(); });
    BindAllLocations(locations);
    RvSystem.SelectPrinter(printerName);
    RunReport([this] { RvProject.Execute(RvSystem); });
}

void TZEFTPrintProfiles::ExportAllProfiles(const THeatingLocations& locations,
                                           const QString& fileName) {
    const QFileInfo target(fileName);
    // Printed into a file beside the target first, so that a failed print leaves an earlier
    // file of that name as it was.
    QTemporaryFile part(
        target.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX.part").arg(target.fileName())));
    if (!part.open())
        throw TReportError(QStringLiteral("The PDF file %1 cannot be written: %2.")
                               .arg(QDir::toNativeSeparators(fileName), part.errorString())
                               .toUtf8()
                               .toStdString());
    part.close();

    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(part.fileName());
    // The paper of the printer the user prints on: a Letter printer gives Letter PDFs.
    pdf.setPageSize(RvSystem.Printer().pageLayout().pageSize());

    const TForgetLocations forget([this] { ForgetLocations(); });
    BindAllLocations(locations);
    RunReport([&] {
        pdf.setDocName(RvSystem.JobTitle());
        RvProject.Execute(pdf);
    });

    // Put in place as a schedule file is: an earlier file's permissions, else the user's umask;
    // the links the user may follow are followed, and further names of the file kept.
    try {
        CopyFileAtomically(QFile::encodeName(part.fileName()).toStdString(),
                           QFile::encodeName(target.absoluteFilePath()).toStdString());
    } catch (const TScheduleFileError& error) {
        throw TReportError(
            QStringLiteral("The PDF file %1 cannot be written: %2.")
                .arg(QDir::toNativeSeparators(fileName), QString::fromUtf8(error.what()))
                .toUtf8()
                .toStdString());
    }
}

bool TZEFTPrintProfiles::PreviewProfile(const THeatingLocation* location, QWidget* parent) {
    if (!location)
        return false;
    const TForgetLocations forget([this] { FSingleLocation = nullptr; });
    FSingleLocation = location;
    FLocations = nullptr;
    FLocationCount = 1;
    QPrinter& printer = RvSystem.Printer();
    // A page range chosen for an earlier print must not hide pages from the preview.
    printer.setPrintRange(QPrinter::AllPages);
    RunReport([&] {
        TPrintPreviewDialog::Execute(printer, parent, RvSystem.JobTitle(),
                                     [this](QPrinter& target) { RvProject.Execute(target); });
    });
    return true;
}

void TZEFTPrintProfiles::RunReport(const std::function<void()>& run) {
    const TForgetLocations forget([this] {
        FRowLocation = nullptr;
        FLocationCount = 0;
    });
    PrepareReport();
    run();
}

void TZEFTPrintProfiles::PrepareReport() {
    RvSystem.SetJobTitle(LoadLanguageString(TextId::PrintJobTitle));
    RvProject.SelectReport(ReportName);
    RvProject.SetParam(PageHeadingParam, LoadLanguageString(TextId::PrintPageHeading));
    RvProject.SetParam(PrintedOnParam,
                       FormatText(LoadLanguageString(TextId::PrintedOn),
                                  {QLocale().toString(Today(), QLocale::ShortFormat)}));
    RvProject.SetParam(PageNumbersParam, LoadLanguageString(TextId::PrintPageNumbers));
}

int TZEFTPrintProfiles::connHeatingLocationsOpen() const {
    return FLocationCount;
}

void TZEFTPrintProfiles::connHeatingLocationsGetCols(TReportColumns& columns) const {
    columns.push_back({QStringLiteral("DisplayText"), TReportDataType::Text, DisplayTextWidth});
}

void TZEFTPrintProfiles::connHeatingLocationsGetRow(int row, QStringList& values) {
    if (FLocationCount == 1)
        FRowLocation = FSingleLocation;
    else
        FRowLocation = FLocations && row < FLocations->Count() ? &FLocations->Items(row) : nullptr;
    values.append(FRowLocation ? QString::fromStdString(FRowLocation->DisplayText) : QString());
}

int TZEFTPrintProfiles::connComfortIntervalsOpen() const {
    return THeatingLocation::DaysPerWeek;
}

void TZEFTPrintProfiles::connComfortIntervalsGetCols(TReportColumns& columns) const {
    columns.push_back({QStringLiteral("DayOfWeek"), TReportDataType::Text, DayOfWeekWidth});
    for (int slot = 0; slot < TDailyHeatingIntervals::MaxPeriodsPerDay; ++slot) {
        columns.push_back({QStringLiteral("Time%1").arg(slot, 2, 10, QLatin1Char('0')),
                           TReportDataType::Text, TimeWidth});
        columns.push_back({QStringLiteral("Temperature%1").arg(slot, 2, 10, QLatin1Char('0')),
                           TReportDataType::Text, TemperatureWidth});
    }
}

void TZEFTPrintProfiles::connComfortIntervalsGetRow(int row, QStringList& values) const {
    values.append(DayName(row + 1));
    const TDailyHeatingIntervals* day =
        FRowLocation && FRowLocation->HasDays() ? &FRowLocation->Days(row) : nullptr;
    for (int slot = 0; slot < TDailyHeatingIntervals::MaxPeriodsPerDay; ++slot) {
        if (day && slot < day->Count()) {
            const TSingleHeatingInterval& period = day->Items(slot);
            values.append(FormatStartTime(period.Start()));
            values.append(FormatText(LoadLanguageString(TextId::PrintTemperatureCell),
                                     {period.Temperature().Value()}));
        } else {
            values.append(LoadLanguageString(TextId::PrintEmptyTimeCell));
            values.append(LoadLanguageString(TextId::PrintEmptyTemperatureCell));
        }
    }
}

} // namespace zeft
