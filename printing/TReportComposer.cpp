#include "TReportComposer.h"

#include "TReportError.h"
#include "zeft_Routines.h"

namespace zeft {

namespace {

// Band heights such as 11.08 mm add up with rounding errors; a band that fits to a hair fits.
constexpr double Tolerance = 1e-6;

/// A data or detail band with its connection opened for one run.
struct TOpenBody {
    const TReportBand* Band = nullptr;
    TReportDataConnection* Connection = nullptr;
    int Rows = 0;
    std::vector<int> ColumnOfText; ///< per text of the band: its column, or -1 for a parameter
};

class TComposer {
public:
    TComposer(const TReportProjectLayout& project, const TReport& report,
              const TReportConnections& connections, const TReportParameters& parameters)
        : FProject(project), FReport(report), FRegion(report.Page.Region),
          FConnections(connections), FParameters(parameters),
          FBodyHeight(FRegion.Height - FootersHeight(FRegion)) {}

    TReportDocument Run();

private:
    [[noreturn]] void Fail(const QString& what) const {
        throw TReportError(
            QStringLiteral("report %1: %2").arg(FReport.Name, what).toUtf8().toStdString());
    }

    std::vector<const TReportBand*> BandsControlledBy(const TReportBand& band,
                                                      TReportBandKind kind) const;
    double HeadersHeight(const TReportBand& band) const;
    TOpenBody Open(const TReportBand& band);
    double LeadHeight(const TOpenBody& body) const;
    void RunBody(const TOpenBody& body);
    void PlaceHeaders(const TReportBand& band);
    void Place(const TReportBand& band, const QStringList& texts);
    QStringList TextsOf(const TReportBand& band, const QStringList& values,
                        const std::vector<int>& columnOfText) const;
    void EnsureSpace(double height);
    void NewPage();
    void PlaceFooters();
    static double FootersHeight(const TReportRegion& region);

    const TReportProjectLayout& FProject;
    const TReport& FReport;
    const TReportRegion& FRegion;
    const TReportConnections& FConnections;
    const TReportParameters& FParameters;
    /// The height the body flows in: the region less its page footers.
    const double FBodyHeight;

    TReportDocument FDocument;
    double FCursor = 0.0;
    bool FPageFresh = true; ///< nothing but reprinted headers on the page yet
    std::vector<const TReportBand*> FReprintedHeaders;
};

TReportDocument TComposer::Run() {
    FDocument.Report = &FReport;
    FDocument.Pages.emplace_back();
    for (const TReportBand& band : FRegion.Bands) {
        if (band.Kind == TReportBandKind::Data)
            RunBody(Open(band));
    }
    PlaceFooters();
    return std::move(FDocument);
}

double TComposer::FootersHeight(const TReportRegion& region) {
    double height = 0.0;
    for (const TReportBand& band : region.Bands)
        height += band.Kind == TReportBandKind::PageFooter ? band.Height : 0.0;
    return height;
}

void TComposer::PlaceFooters() {
    // Only now is the number of pages known.
    const long long pageCount = static_cast<long long>(FDocument.Pages.size());
    for (long long page = 0; page < pageCount; ++page) {
        double top = FBodyHeight;
        for (const TReportBand& band : FRegion.Bands) {
            if (band.Kind != TReportBandKind::PageFooter)
                continue;
            QStringList texts = TextsOf(band, {}, std::vector<int>(band.Texts.size(), -1));
            for (std::size_t i = 0; i < band.Texts.size(); ++i) {
                if (band.Texts[i].PageNumbers) {
                    QString& text = texts[static_cast<qsizetype>(i)];
                    text = FormatText(text, {page + 1, pageCount});
                }
            }
            FDocument.Pages[static_cast<std::size_t>(page)].Bands.push_back(
                TPlacedBand{&band, top, texts});
            top += band.Height;
        }
    }
}

std::vector<const TReportBand*> TComposer::BandsControlledBy(const TReportBand& band,
                                                             TReportBandKind kind) const {
    std::vector<const TReportBand*> result;
    for (const TReportBand& candidate : FRegion.Bands) {
        if (candidate.Kind == kind && candidate.Controller == band.Name)
            result.push_back(&candidate);
    }
    return result;
}

double TComposer::HeadersHeight(const TReportBand& band) const {
    double height = 0.0;
    for (const TReportBand* header : BandsControlledBy(band, TReportBandKind::BodyHeader))
        height += header->Height;
    return height;
}

TOpenBody TComposer::Open(const TReportBand& band) {
    const TReportDataView* view = FProject.FindDataView(band.DataView);
    if (!view)
        Fail(QStringLiteral("the band %1 reads the unknown data view %2")
                 .arg(band.Name, band.DataView));
    const auto connection = FConnections.find(view->Connection);
    if (connection == FConnections.end() || !connection->second)
        Fail(QStringLiteral("the data view %1 needs the data connection %2")
                 .arg(view->Name, view->Connection));

    TOpenBody body;
    body.Band = &band;
    body.Connection = connection->second;
    body.Rows = body.Connection->Open();
    for (const TReportText& text : band.Texts) {
        int column = -1;
        if (text.Source == TReportText::TSource::Column) {
            column = body.Connection->ColumnIndex(text.Name);
            if (column < 0)
                Fail(QStringLiteral("the band %1 shows the column %2, which the data connection "
                                    "%3 does not declare")
                         .arg(band.Name, text.Name, body.Connection->Name()));
        }
        body.ColumnOfText.push_back(column);
    }
    return body;
}

double TComposer::LeadHeight(const TOpenBody& body) const {
    if (body.Rows == 0)
        return 0.0;
    const TReportBand& band = *body.Band;
    return HeadersHeight(band) + (band.KeepBodyTogether ? body.Rows * band.Height : band.Height);
}

void TComposer::RunBody(const TOpenBody& body) {
    const TReportBand& band = *body.Band;
    const std::size_t reprintedBefore = FReprintedHeaders.size();
    if (body.Rows == 0) {
        if (band.Kind == TReportBandKind::Data) {
            EnsureSpace(HeadersHeight(band));
            PlaceHeaders(band);
            FReprintedHeaders.resize(reprintedBefore);
        }
        return;
    }

    const std::vector<const TReportBand*> detailBands =
        BandsControlledBy(band, TReportBandKind::Detail);
    for (int row = 0; row < body.Rows; ++row) {
        const QStringList values = body.Connection->GetRow(row);
        // The details open now, while their connections can still see this row.
        std::vector<TOpenBody> details;
        for (const TReportBand* detail : detailBands)
            details.push_back(Open(*detail));

        const double headers = row == 0 ? HeadersHeight(band) : 0.0;
        const double own =
            row == 0 && band.KeepBodyTogether ? body.Rows * band.Height : band.Height;
        double detailLead = 0.0;
        for (const TOpenBody& detail : details) {
            if (detail.Rows > 0) {
                detailLead = LeadHeight(detail);
                break;
            }
        }
        double needed = headers + own + detailLead;
        if (needed > FBodyHeight + Tolerance)
            needed = headers + band.Height; // too large for any page: keep only what can be kept
        EnsureSpace(needed);

        if (row == 0)
            PlaceHeaders(band);
        Place(band, TextsOf(band, values, body.ColumnOfText));
        for (const TOpenBody& detail : details)
            RunBody(detail);
    }
    FReprintedHeaders.resize(reprintedBefore);
}

void TComposer::PlaceHeaders(const TReportBand& band) {
    for (const TReportBand* header : BandsControlledBy(band, TReportBandKind::BodyHeader)) {
        Place(*header, TextsOf(*header, {}, std::vector<int>(header->Texts.size(), -1)));
        if (header->ReprintOnNewPage)
            FReprintedHeaders.push_back(header);
    }
}

void TComposer::Place(const TReportBand& band, const QStringList& texts) {
    FDocument.Pages.back().Bands.push_back(TPlacedBand{&band, FCursor, texts});
    FCursor += band.Height;
    FPageFresh = false;
}

QStringList TComposer::TextsOf(const TReportBand& band, const QStringList& values,
                               const std::vector<int>& columnOfText) const {
    QStringList texts;
    for (std::size_t i = 0; i < band.Texts.size(); ++i) {
        const TReportText& text = band.Texts[i];
        if (text.Source == TReportText::TSource::Column) {
            texts.append(values.at(columnOfText[i]));
        } else {
            const auto parameter = FParameters.find(text.Name);
            texts.append(parameter == FParameters.end() ? QString() : parameter->second);
        }
    }
    return texts;
}

void TComposer::EnsureSpace(double height) {
    if (!FPageFresh && FCursor + height > FBodyHeight + Tolerance)
        NewPage();
}

void TComposer::NewPage() {
    FDocument.Pages.emplace_back();
    FCursor = 0.0;
    for (const TReportBand* header : FReprintedHeaders) {
        FDocument.Pages.back().Bands.push_back(TPlacedBand{
            header, FCursor, TextsOf(*header, {}, std::vector<int>(header->Texts.size(), -1))});
        FCursor += header->Height;
    }
    FPageFresh = true;
}

} // namespace

TReportDocument ComposeReport(const TReportProjectLayout& project, const TReport& report,
                              const TReportConnections& connections,
                              const TReportParameters& parameters) {
    return TComposer(project, report, connections, parameters).Run();
}

} // namespace zeft
