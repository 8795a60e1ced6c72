#include "TSliderList.h"

namespace zeft {

TSliderList::~TSliderList() {
    Clear();
}

int TSliderList::IndexOf(const TSingleComfortIntervalSlider* control) const {
    for (int i = 0; i < Count(); ++i)
        if (FItems[static_cast<size_t>(i)].get() == control)
            return i;
    return -1;
}

void TSliderList::Add(std::unique_ptr<TSingleComfortIntervalSlider> control) {
    FItems.push_back(std::move(control));
}

void TSliderList::Clear() {
    // Moved out first, so that the list is already empty while the controls are destroyed.
    auto items = std::move(FItems);
    FItems.clear();
    items.clear();
}

std::unique_ptr<TSingleComfortIntervalSlider>
TSliderList::Extract(const TSingleComfortIntervalSlider* control) {
    const int index = IndexOf(control);
    if (index < 0)
        return nullptr;
    auto taken = std::move(FItems[static_cast<size_t>(index)]);
    FItems.erase(FItems.begin() + index);
    return taken;
}

} // namespace zeft
