#include "PrintedReport.h"

namespace zeft::test {

namespace {

constexpr double DayColumnLeft = 15.0;
// A word may start a hair left of its field because of the glyph's side bearing.
constexpr double Slack = 0.5;
// The footer's two halves meet in the middle of the region (20 + 85 mm).
constexpr double FooterMiddle = 105.0;

QStringList SlotTexts(const TPdfLine& line) {
    QStringList texts;
    for (int slot = 0; slot < Slots; ++slot)
        texts.append(line.TextBetween(SlotLeft(slot) - Slack, SlotLeft(slot + 1) - Slack));
    return texts;
}

} // namespace

QStringList TPrintedReport::Names() const {
    QStringList names;
    for (const TPrintedBlock& block : Blocks)
        names.append(block.Name);
    return names;
}

TPrintedReport ParseReport(const std::vector<TPdfPage>& pages, const QStringList& dayNames) {
    TPrintedReport report;
    report.PageCount = static_cast<int>(pages.size());
    for (int pageIndex = 0; pageIndex < report.PageCount; ++pageIndex) {
        const TPdfPage& page = pages[static_cast<std::size_t>(pageIndex)];
        bool blockOnPage = false;
        for (std::size_t i = 0; i < page.Lines.size(); ++i) {
            const TPdfLine& line = page.Lines[i];
            if (pageIndex == 0 && i == 0) {
                report.Heading = line.Text();
                report.HeadingTop = line.Top;
                report.HeadingLeft = line.Words.front().Left;
                continue;
            }
            if (line.Top >= FooterTop) {
                if (report.Footers.size() > static_cast<std::size_t>(pageIndex))
                    report.Problems.append(
                        QStringLiteral("page %1 has two footer lines").arg(pageIndex + 1));
                else if (report.Footers.size() < static_cast<std::size_t>(pageIndex))
                    report.Problems.append(QStringLiteral("page %1 has no footer").arg(pageIndex));
                report.Footers.push_back(TPrintedFooter{line.TextBetween(0.0, FooterMiddle),
                                                        line.TextBetween(FooterMiddle, 1000.0),
                                                        line.Top});
                continue;
            }
            const QString dayText = line.TextBetween(DayColumnLeft, SlotLeft(0) - Slack);
            if (!dayNames.contains(dayText)) {
                report.Blocks.push_back(TPrintedBlock{pageIndex, line.Text(), line.Top, {}});
                blockOnPage = true;
                continue;
            }
            if (!blockOnPage) {
                report.Problems.append(QStringLiteral("page %1 starts with the day row %2 of a "
                                                      "location printed on an earlier page")
                                           .arg(pageIndex + 1)
                                           .arg(dayText));
                continue;
            }
            TPrintedDay day{dayText, SlotTexts(line), {}, line.Top};
            if (i + 1 < page.Lines.size()) {
                day.Temperatures = SlotTexts(page.Lines[i + 1]);
                ++i;
            } else {
                report.Problems.append(
                    QStringLiteral("the day row %1 on page %2 has no temperatures under it")
                        .arg(dayText)
                        .arg(pageIndex + 1));
            }
            report.Blocks.back().Days.push_back(day);
        }
    }
    return report;
}

} // namespace zeft::test
