#include "TReportLayout.h"

#include <algorithm>

namespace zeft {

namespace {

template <typename T> const T* FindByName(const std::vector<T>& items, const QString& name) {
    const auto found =
        std::find_if(items.begin(), items.end(), [&](const T& item) { return item.Name == name; });
    return found == items.end() ? nullptr : &*found;
}

} // namespace

const TReportBand* TReportRegion::FindBand(const QString& name) const {
    return FindByName(Bands, name);
}

const TReportFont* TReportProjectLayout::FindFont(const QString& name) const {
    return FindByName(Fonts, name);
}

const TReportDataView* TReportProjectLayout::FindDataView(const QString& name) const {
    return FindByName(DataViews, name);
}

const TReport* TReportProjectLayout::FindReport(const QString& name) const {
    return FindByName(Reports, name);
}

} // namespace zeft
