#include "TReportLayoutReader.h"

#include "TReportError.h"

#include <QFile>
#include <QSizeF>
#include <pugixml.hpp>

namespace zeft {

namespace {

// Rounding in the layout's decimal figures must not make an element stick out of its container.
constexpr double Tolerance = 1e-6;

class TLayoutReader {
public:
    explicit TLayoutReader(QString sourceName) : FSource(std::move(sourceName)) {}

    TReportProjectLayout Read(const QByteArray& xml);

private:
    [[noreturn]] void Fail(const QString& where, const QString& what) const {
        throw TReportError(
            QStringLiteral("%1: %2: %3").arg(FSource, where, what).toUtf8().toStdString());
    }

    static QString Text(const pugi::xml_node& node, const char* attribute) {
        return QString::fromUtf8(node.attribute(attribute).value());
    }
    QString Required(const pugi::xml_node& node, const char* attribute, const QString& where) const;
    double Number(const pugi::xml_node& node, const char* attribute, const QString& where,
                  double fallback) const;
    double Measure(const pugi::xml_node& node, const char* attribute, const QString& where) const;
    bool Flag(const pugi::xml_node& node, const char* attribute, const QString& where) const;
    QPageSize::PageSizeId Paper(const QString& name, const QString& where) const;

    TReportFont ReadFont(const pugi::xml_node& node) const;
    TReportDataView ReadDataView(const pugi::xml_node& node) const;
    TReport ReadReport(const pugi::xml_node& node, const TReportProjectLayout& project) const;
    TReportPage ReadPage(const pugi::xml_node& node, const QString& where,
                         const TReportProjectLayout& project, const TReport& report) const;
    TReportBand ReadBand(const pugi::xml_node& node, const QString& where,
                         const TReportProjectLayout& project, const TReport& report,
                         const TReportRegion& region) const;
    TReportText ReadText(const pugi::xml_node& node, const QString& where,
                         const TReportProjectLayout& project, const TReport& report,
                         const TReportRegion& region, const TReportBand& band) const;
    TReportLine ReadLine(const pugi::xml_node& node, const QString& where,
                         const TReportRegion& region, const TReportBand& band) const;
    void CheckController(const TReportBand& band, const QString& where,
                         const TReportRegion& region) const;

    QString FSource;
};

TReportProjectLayout TLayoutReader::Read(const QByteArray& xml) {
    pugi::xml_document document;
    const pugi::xml_parse_result parsed =
        document.load_buffer(xml.constData(), static_cast<size_t>(xml.size()));
    if (!parsed)
        Fail(QStringLiteral("offset %1").arg(parsed.offset),
             QString::fromUtf8(parsed.description()));
    const pugi::xml_node root = document.document_element();
    if (std::string_view(root.name()) != "reportProject")
        Fail(QStringLiteral("root"), QStringLiteral("the root element must be reportProject"));

    TReportProjectLayout project;
    project.Name = Text(root, "name");
    for (const pugi::xml_node& node : root.children()) {
        const std::string_view element = node.name();
        if (node.type() != pugi::node_element)
            continue;
        if (element == "font") {
            TReportFont font = ReadFont(node);
            if (project.FindFont(font.Name))
                Fail(QStringLiteral("font \"%1\"").arg(font.Name), QStringLiteral("defined twice"));
            project.Fonts.push_back(std::move(font));
        } else if (element == "dataView") {
            TReportDataView view = ReadDataView(node);
            if (project.FindDataView(view.Name))
                Fail(QStringLiteral("data view \"%1\"").arg(view.Name),
                     QStringLiteral("defined twice"));
            project.DataViews.push_back(std::move(view));
        } else if (element == "report") {
            TReport report = ReadReport(node, project);
            if (project.FindReport(report.Name))
                Fail(QStringLiteral("report \"%1\"").arg(report.Name),
                     QStringLiteral("defined twice"));
            project.Reports.push_back(std::move(report));
        } else {
            Fail(QStringLiteral("project"),
                 QStringLiteral("unknown element %1").arg(QString::fromUtf8(node.name())));
        }
    }
    return project;
}

QString TLayoutReader::Required(const pugi::xml_node& node, const char* attribute,
                                const QString& where) const {
    const QString value = Text(node, attribute);
    if (value.isEmpty())
        Fail(where, QStringLiteral("the attribute %1 is missing").arg(QLatin1String(attribute)));
    return value;
}

double TLayoutReader::Number(const pugi::xml_node& node, const char* attribute,
                             const QString& where, double fallback) const {
    if (!node.attribute(attribute))
        return fallback;
    bool ok = false;
    // Layout files use the decimal point whatever the user's regional settings are.
    const double value = Text(node, attribute).toDouble(&ok);
    if (!ok || value < 0.0)
        Fail(where, QStringLiteral("%1 must be a number of at least 0, not \"%2\"")
                        .arg(QLatin1String(attribute), Text(node, attribute)));
    return value;
}

double TLayoutReader::Measure(const pugi::xml_node& node, const char* attribute,
                              const QString& where) const {
    if (!node.attribute(attribute))
        Fail(where, QStringLiteral("the attribute %1 is missing").arg(QLatin1String(attribute)));
    return Number(node, attribute, where, 0.0);
}

bool TLayoutReader::Flag(const pugi::xml_node& node, const char* attribute,
                         const QString& where) const {
    const QString value = Text(node, attribute);
    if (value.isEmpty() || value == QLatin1String("false"))
        return false;
    if (value == QLatin1String("true"))
        return true;
    Fail(where, QStringLiteral("%1 must be true or false").arg(QLatin1String(attribute)));
}

QPageSize::PageSizeId TLayoutReader::Paper(const QString& name, const QString& where) const {
    const struct {
        const char* Name;
        QPageSize::PageSizeId Id;
    } papers[] = {{"A3", QPageSize::A3},
                  {"A4", QPageSize::A4},
                  {"A5", QPageSize::A5},
                  {"Letter", QPageSize::Letter},
                  {"Legal", QPageSize::Legal}};
    const auto known = std::find_if(std::begin(papers), std::end(papers),
                                    [&](const auto& entry) { return name == entry.Name; });
    if (known == std::end(papers))
        Fail(where, QStringLiteral("unknown paper \"%1\"").arg(name));
    return known->Id;
}

TReportFont TLayoutReader::ReadFont(const pugi::xml_node& node) const {
    TReportFont font;
    font.Name = Required(node, "name", QStringLiteral("font"));
    const QString where = QStringLiteral("font \"%1\"").arg(font.Name);
    for (const QString& family : Required(node, "families", where).split(QLatin1Char(';'))) {
        if (!family.trimmed().isEmpty())
            font.Families.append(family.trimmed());
    }
    font.PointSize = Measure(node, "size", where);
    if (font.PointSize <= 0.0)
        Fail(where, QStringLiteral("the size must be above 0"));
    font.Bold = Flag(node, "bold", where);
    return font;
}

TReportDataView TLayoutReader::ReadDataView(const pugi::xml_node& node) const {
    TReportDataView view;
    view.Name = Required(node, "name", QStringLiteral("data view"));
    view.Connection =
        Required(node, "connection", QStringLiteral("data view \"%1\"").arg(view.Name));
    return view;
}

TReport TLayoutReader::ReadReport(const pugi::xml_node& node,
                                  const TReportProjectLayout& project) const {
    TReport report;
    report.Name = Required(node, "name", QStringLiteral("report"));
    const QString where = QStringLiteral("report \"%1\"").arg(report.Name);
    for (const pugi::xml_node& parameter : node.children("parameter"))
        report.Parameters.append(
            Required(parameter, "name", where + QStringLiteral(", parameter")));
    int pages = 0;
    for (const pugi::xml_node& child : node.children()) {
        const std::string_view element = child.name();
        if (child.type() != pugi::node_element || element == "parameter")
            continue;
        if (element != "page")
            Fail(where, QStringLiteral("unknown element %1").arg(QString::fromUtf8(child.name())));
        if (++pages > 1)
            Fail(where, QStringLiteral("a report has one page template"));
        report.Page = ReadPage(child, where, project, report);
    }
    if (pages == 0)
        Fail(where, QStringLiteral("the page template is missing"));
    return report;
}

TReportPage TLayoutReader::ReadPage(const pugi::xml_node& node, const QString& reportWhere,
                                    const TReportProjectLayout& project,
                                    const TReport& report) const {
    TReportPage page;
    page.Name = Required(node, "name", reportWhere + QStringLiteral(", page"));
    const QString where = QStringLiteral("page \"%1.%2\"").arg(report.Name, page.Name);

    page.Paper = Paper(Required(node, "paper", where), where);
    for (const QString& other : Text(node, "otherPapers").split(QLatin1Char(';'))) {
        if (!other.trimmed().isEmpty())
            page.OtherPapers.push_back(Paper(other.trimmed(), where));
    }

    const QString orientation = Required(node, "orientation", where);
    if (orientation == QLatin1String("portrait"))
        page.Orientation = QPageLayout::Portrait;
    else if (orientation == QLatin1String("landscape"))
        page.Orientation = QPageLayout::Landscape;
    else
        Fail(where, QStringLiteral("orientation must be portrait or landscape"));

    const auto regions = node.children("region");
    if (std::distance(regions.begin(), regions.end()) != 1)
        Fail(where, QStringLiteral("a page template holds exactly one region"));
    const pugi::xml_node regionNode = *regions.begin();
    const QString regionWhere = where + QStringLiteral(", region");
    TReportRegion& region = page.Region;
    region.Left = Measure(regionNode, "left", regionWhere);
    region.Top = Measure(regionNode, "top", regionWhere);
    region.Width = Measure(regionNode, "width", regionWhere);
    region.Height = Measure(regionNode, "height", regionWhere);
    if (region.Width <= 0.0 || region.Height <= 0.0)
        Fail(regionWhere, QStringLiteral("width and height must be above 0"));
    std::vector<QPageSize::PageSizeId> papers = page.OtherPapers;
    papers.insert(papers.begin(), page.Paper);
    for (const QPageSize::PageSizeId paper : papers) {
        QSizeF paperSize = QPageSize(paper).size(QPageSize::Millimeter);
        if (page.Orientation == QPageLayout::Landscape)
            paperSize.transpose();
        if (region.Left + region.Width > paperSize.width() + Tolerance ||
            region.Top + region.Height > paperSize.height() + Tolerance)
            Fail(regionWhere, QStringLiteral("the region does not fit on the paper %1")
                                  .arg(QPageSize(paper).key()));
    }

    for (const pugi::xml_node& bandNode : regionNode.children()) {
        if (bandNode.type() != pugi::node_element)
            continue;
        if (std::string_view(bandNode.name()) != "band")
            Fail(regionWhere,
                 QStringLiteral("unknown element %1").arg(QString::fromUtf8(bandNode.name())));
        TReportBand band = ReadBand(bandNode, where, project, report, region);
        if (region.FindBand(band.Name))
            Fail(where, QStringLiteral("band \"%1\" defined twice").arg(band.Name));
        region.Bands.push_back(std::move(band));
    }
    // Headers may name a band that comes after them, so controllers are checked at the end.
    for (const TReportBand& band : region.Bands)
        CheckController(band, where + QStringLiteral(", band \"%1\"").arg(band.Name), region);
    double footers = 0.0;
    for (const TReportBand& band : region.Bands)
        footers += band.Kind == TReportBandKind::PageFooter ? band.Height : 0.0;
    if (footers >= region.Height)
        Fail(regionWhere, QStringLiteral("the page footers leave no room for the body"));
    return page;
}

TReportBand TLayoutReader::ReadBand(const pugi::xml_node& node, const QString& pageWhere,
                                    const TReportProjectLayout& project, const TReport& report,
                                    const TReportRegion& region) const {
    TReportBand band;
    band.Name = Required(node, "name", pageWhere + QStringLiteral(", band"));
    const QString where = pageWhere + QStringLiteral(", band \"%1\"").arg(band.Name);

    const QString kind = Required(node, "kind", where);
    if (kind == QLatin1String("bodyHeader"))
        band.Kind = TReportBandKind::BodyHeader;
    else if (kind == QLatin1String("data"))
        band.Kind = TReportBandKind::Data;
    else if (kind == QLatin1String("detail"))
        band.Kind = TReportBandKind::Detail;
    else if (kind == QLatin1String("pageFooter"))
        band.Kind = TReportBandKind::PageFooter;
    else
        Fail(where, QStringLiteral("kind must be bodyHeader, data, detail or pageFooter"));

    band.Height = Measure(node, "height", where);
    if (band.Height <= 0.0 || band.Height > region.Height + Tolerance)
        Fail(where, QStringLiteral("the height must be above 0 and fit in the region"));
    band.DataView = Text(node, "dataView");
    band.Controller = Text(node, "controller");
    band.KeepBodyTogether = Flag(node, "keepBodyTogether", where);
    band.ReprintOnNewPage = Flag(node, "reprintOnNewPage", where);

    const bool footer = band.Kind == TReportBandKind::PageFooter;
    const bool hasRows = band.Kind != TReportBandKind::BodyHeader && !footer;
    if (hasRows && !project.FindDataView(band.DataView))
        Fail(where, QStringLiteral("the data view \"%1\" is not defined").arg(band.DataView));
    if (!hasRows && !band.DataView.isEmpty())
        Fail(where, QStringLiteral("a body header or page footer has no data view"));
    if ((band.Kind == TReportBandKind::Data || footer) && !band.Controller.isEmpty())
        Fail(where, footer
                        ? QStringLiteral("a page footer has no controller")
                        : QStringLiteral("a data band has no controller; make it a detail band"));
    if (band.Kind != TReportBandKind::Data && !footer && band.Controller.isEmpty())
        Fail(where, QStringLiteral("the controller is missing"));
    if (band.Kind != TReportBandKind::BodyHeader && band.ReprintOnNewPage)
        Fail(where, QStringLiteral("only body headers are reprinted on new pages"));
    if (!hasRows && band.KeepBodyTogether)
        Fail(where, QStringLiteral("a body header or page footer has no body to keep together"));

    for (const pugi::xml_node& child : node.children()) {
        if (child.type() != pugi::node_element)
            continue;
        const std::string_view element = child.name();
        if (element == "text")
            band.Texts.push_back(ReadText(child, where, project, report, region, band));
        else if (element == "line")
            band.Lines.push_back(ReadLine(child, where, region, band));
        else
            Fail(where, QStringLiteral("unknown element %1").arg(QString::fromUtf8(child.name())));
    }
    return band;
}

TReportText TLayoutReader::ReadText(const pugi::xml_node& node, const QString& bandWhere,
                                    const TReportProjectLayout& project, const TReport& report,
                                    const TReportRegion& region, const TReportBand& band) const {
    TReportText text;
    const QString column = Text(node, "column");
    const QString parameter = Text(node, "parameter");
    if (column.isEmpty() == parameter.isEmpty())
        Fail(bandWhere, QStringLiteral("a text shows either a column or a parameter"));
    text.Source = column.isEmpty() ? TReportText::TSource::Parameter : TReportText::TSource::Column;
    text.Name = column.isEmpty() ? parameter : column;
    const QString where = bandWhere + QStringLiteral(", text \"%1\"").arg(text.Name);

    const bool footer = band.Kind == TReportBandKind::PageFooter;
    if (text.Source == TReportText::TSource::Column &&
        (band.Kind == TReportBandKind::BodyHeader || footer))
        Fail(where, QStringLiteral("a body header or page footer has no columns to show"));
    text.PageNumbers = Flag(node, "pageNumbers", where);
    if (text.PageNumbers && !footer)
        Fail(where, QStringLiteral("page numbers are shown on page footers only"));
    if (text.Source == TReportText::TSource::Parameter && !report.Parameters.contains(parameter))
        Fail(where, QStringLiteral("the report declares no parameter \"%1\"").arg(parameter));

    text.Left = Measure(node, "left", where);
    text.Top = Measure(node, "top", where);
    text.Width = Measure(node, "width", where);
    if (text.Width <= 0.0 || text.Left + text.Width > region.Width + Tolerance ||
        text.Top >= band.Height)
        Fail(where, QStringLiteral("the text does not lie inside its band"));

    const QString align = Text(node, "align");
    if (align.isEmpty() || align == QLatin1String("left"))
        text.Alignment = TReportAlignment::Left;
    else if (align == QLatin1String("center"))
        text.Alignment = TReportAlignment::Center;
    else if (align == QLatin1String("right"))
        text.Alignment = TReportAlignment::Right;
    else
        Fail(where, QStringLiteral("align must be left, center or right"));

    text.Font = Required(node, "font", where);
    if (!project.FindFont(text.Font))
        Fail(where, QStringLiteral("the font \"%1\" is not defined").arg(text.Font));
    return text;
}

TReportLine TLayoutReader::ReadLine(const pugi::xml_node& node, const QString& bandWhere,
                                    const TReportRegion& region, const TReportBand& band) const {
    const QString where = bandWhere + QStringLiteral(", line");
    TReportLine line;
    line.Left = Measure(node, "left", where);
    line.Top = Measure(node, "top", where);
    line.Length = Measure(node, "length", where);
    line.WidthPoints = Number(node, "widthPoints", where, 1.0);
    if (line.Length <= 0.0 || line.Left + line.Length > region.Width + Tolerance ||
        line.Top > band.Height + Tolerance)
        Fail(where, QStringLiteral("the line does not lie inside its band"));
    return line;
}

void TLayoutReader::CheckController(const TReportBand& band, const QString& where,
                                    const TReportRegion& region) const {
    if (band.Controller.isEmpty())
        return;
    const TReportBand* controller = region.FindBand(band.Controller);
    if (!controller || controller->Kind == TReportBandKind::BodyHeader)
        Fail(where,
             QStringLiteral("the controller \"%1\" is not a data band").arg(band.Controller));
    if (controller == &band)
        Fail(where, QStringLiteral("a band cannot control itself"));
    if (band.Kind == TReportBandKind::Detail) {
        // A detail band runs inside the rows of its controller; a cycle would never end.
        std::size_t steps = 0;
        for (const TReportBand* up = controller; up && up->Kind == TReportBandKind::Detail;
             up = region.FindBand(up->Controller)) {
            if (up == &band || ++steps > region.Bands.size())
                Fail(where, QStringLiteral("the detail bands control each other in a circle"));
        }
    }
}

} // namespace

TReportProjectLayout ReadReportProject(const QByteArray& xml, const QString& sourceName) {
    return TLayoutReader(sourceName).Read(xml);
}

TReportProjectLayout ReadReportProjectFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw TReportError(QStringLiteral("%1: the report project cannot be read: %2")
                               .arg(fileName, file.errorString())
                               .toUtf8()
                               .toStdString());
    return ReadReportProject(file.readAll(), fileName);
}

} // namespace zeft
