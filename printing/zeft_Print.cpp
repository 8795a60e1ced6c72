#include "zeft_Print.h"

#include "THeatingLocations.h"
#include "zeft_LanguageResources.h"
#include "zeft_Routines.h"

#include <QLocale>
#include <QTime>
#include <functional>

namespace zeft {

namespace {

constexpr int JobTitleId = 6000;
constexpr int PageHeadingId = 6001;
constexpr int TemperatureCellId = 6002;
constexpr int EmptyTimeCellId = 6003;
constexpr int EmptyTemperatureCellId = 6004;

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
    RunReport(printerName);
    return true;
}

void TZEFTPrintProfiles::PrintAllProfiles(const THeatingLocations& locations,
                                          const QString& printerName) {
    const TForgetLocations forget([this] {
        FSingleLocation = nullptr;
        FLocations = nullptr;
    });
    FLocations = &locations;
    FLocationCount = locations.Count();
    FSingleLocation = locations.Count() > 0 ? &locations.Items(0) : nullptr;
    RunReport(printerName);
}

void TZEFTPrintProfiles::RunReport(const QString& printerName) {
    const TForgetLocations forget([this] {
        FRowLocation = nullptr;
        FLocationCount = 0;
    });
    RvSystem.SelectPrinter(printerName);
    RvSystem.SetJobTitle(LoadLanguageString(JobTitleId));
    RvProject.SelectReport(ReportName);
    RvProject.SetParam(PageHeadingParam, LoadLanguageString(PageHeadingId));
    RvProject.Execute(RvSystem);
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
            values.append(
                FormatText(LoadLanguageString(TemperatureCellId), {period.Temperature().Value()}));
        } else {
            values.append(LoadLanguageString(EmptyTimeCellId));
            values.append(LoadLanguageString(EmptyTemperatureCellId));
        }
    }
}

} // namespace zeft
