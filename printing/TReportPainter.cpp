#include "TReportPainter.h"

#include "TReportError.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageRanges>
#include <QPainter>
#include <QPrinter>
#include <map>

namespace zeft {

namespace {

constexpr double MillimetresPerInch = 25.4;
constexpr double PointsPerInch = 72.0;

[[noreturn]] void Fail(const QPrinter& printer, const QString& what) {
    const QString name = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName()
                                                                       : printer.printerName();
    throw TReportError(QStringLiteral("The printer %1 %2.").arg(name, what).toUtf8().toStdString());
}

Qt::Alignment AlignmentOf(TReportAlignment alignment) {
    switch (alignment) {
    case TReportAlignment::Center:
        return Qt::AlignHCenter;
    case TReportAlignment::Right:
        return Qt::AlignRight;
    case TReportAlignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

class TPagePainter {
public:
    TPagePainter(QPainter& painter, QPrinter& printer, const TReportProjectLayout& project,
                 const TReportRegion& region)
        : FPainter(painter), FPrinter(printer), FProject(project), FRegion(region),
          FDotsPerMillimetre(painter.device()->logicalDpiY() / MillimetresPerInch) {}

    void Paint(const TComposedPage& page) {
        for (const TPlacedBand& placed : page.Bands)
            PaintBand(placed);
    }

private:
    double Dots(double millimetres) const { return millimetres * FDotsPerMillimetre; }

    const QFont& FontNamed(const QString& name) {
        auto found = FFonts.find(name);
        if (found == FFonts.end()) {
            const TReportFont* font = FProject.FindFont(name);
            found = FFonts.emplace(name, font ? ResolveReportFont(*font) : QFont()).first;
        }
        return found->second;
    }

    void PaintBand(const TPlacedBand& placed) {
        const TReportBand& band = *placed.Band;
        const double left = FRegion.Left;
        const double top = FRegion.Top + placed.Top;
        for (std::size_t i = 0; i < band.Texts.size(); ++i) {
            const TReportText& text = band.Texts[i];
            const QFont& font = FontNamed(text.Font);
            const QFontMetricsF metrics(font, &FPrinter);
            const QRectF field(Dots(left + text.Left), Dots(top + text.Top), Dots(text.Width),
                               metrics.height());
            const QString value = i < static_cast<std::size_t>(placed.Texts.size())
                                      ? placed.Texts[static_cast<qsizetype>(i)]
                                      : QString();
            FPainter.setFont(font);
            FPainter.drawText(field,
                              AlignmentOf(text.Alignment) | Qt::AlignTop | Qt::TextSingleLine,
                              metrics.elidedText(value, Qt::ElideRight, field.width()));
        }
        for (const TReportLine& line : band.Lines) {
            QPen pen(Qt::black);
            pen.setWidthF(line.WidthPoints / PointsPerInch * MillimetresPerInch *
                          FDotsPerMillimetre);
            pen.setCapStyle(Qt::FlatCap);
            FPainter.setPen(pen);
            const double y = Dots(top + line.Top);
            FPainter.drawLine(QPointF(Dots(left + line.Left), y),
                              QPointF(Dots(left + line.Left + line.Length), y));
            FPainter.setPen(Qt::black);
        }
    }

    QPainter& FPainter;
    QPrinter& FPrinter;
    const TReportProjectLayout& FProject;
    const TReportRegion& FRegion;
    const double FDotsPerMillimetre;
    std::map<QString, QFont> FFonts;
};

} // namespace

QFont ResolveReportFont(const TReportFont& reportFont) {
    QFont font;
    const QStringList installed = QFontDatabase::families();
    QString family;
    for (const QString& candidate : reportFont.Families) {
        if (installed.contains(candidate, Qt::CaseInsensitive)) {
            family = candidate;
            break;
        }
    }
    if (family.isEmpty()) {
        font.setStyleHint(QFont::SansSerif);
        family = QStringLiteral("Sans Serif");
    }
    font.setFamily(family);
    font.setPointSizeF(reportFont.PointSize);
    font.setBold(reportFont.Bold);
    return font;
}

QPageSize::PageSizeId ReportPaper(const TReportPage& page, const QPrinter& printer) {
    const QPageSize loaded = printer.pageLayout().pageSize();
    for (const QPageSize::PageSizeId other : page.OtherPapers) {
        if (loaded.id() == other || loaded.isEquivalentTo(QPageSize(other)))
            return other;
    }
    return page.Paper;
}

void PaintReport(const TReportDocument& document, const TReportProjectLayout& project,
                 QPrinter& printer) {
    if (!document.Report)
        throw TReportError("A report was printed before it was composed.");
    const TReportPage& page = document.Report->Page;
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(ReportPaper(page, printer)));
    printer.setPageOrientation(page.Orientation);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);

    // Pages the user left out of the page range in the printer set-up dialog stay unprinted.
    const QPageRanges ranges = printer.pageRanges();
    const bool allPages = printer.printRange() != QPrinter::PageRange || ranges.isEmpty();
    std::vector<const TComposedPage*> pages;
    for (std::size_t i = 0; i < document.Pages.size(); ++i) {
        if (allPages || ranges.contains(static_cast<int>(i) + 1))
            pages.push_back(&document.Pages[i]);
    }
    if (pages.empty())
        return;

    QPainter painter;
    if (!painter.begin(&printer))
        Fail(printer, QStringLiteral("cannot start the print job"));
    painter.setPen(Qt::black);
    TPagePainter pagePainter(painter, printer, project, page.Region);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !printer.newPage()) {
            painter.end();
            Fail(printer, QStringLiteral("cannot start page %1").arg(i + 1));
        }
        pagePainter.Paint(*pages[i]);
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        Fail(printer, QStringLiteral("cannot finish the print job"));
}

} // namespace zeft
