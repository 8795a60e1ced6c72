#pragma once

#include "TSingleComfortIntervalSlider.h"

#include <memory>
#include <vector>

namespace zeft {

/// The period controls of a row, in the order of the day's periods. Owns them: clearing or
/// destroying the list destroys the controls in it.
class TSliderList {
public:
    TSliderList() = default;
    TSliderList(const TSliderList&) = delete;
    TSliderList& operator=(const TSliderList&) = delete;
    ~TSliderList();

    int Count() const { return static_cast<int>(FItems.size()); }
    TSingleComfortIntervalSlider* Items(int index) const {
        return FItems[static_cast<size_t>(index)].get();
    }
    int IndexOf(const TSingleComfortIntervalSlider* control) const;

    void Add(std::unique_ptr<TSingleComfortIntervalSlider> control);
    /// Destroys every control.
    void Clear();
    /// Takes the control out of the list without destroying it; null if it is not listed.
    std::unique_ptr<TSingleComfortIntervalSlider>
    Extract(const TSingleComfortIntervalSlider* control);

    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }

private:
    std::vector<std::unique_ptr<TSingleComfortIntervalSlider>> FItems;
};

} // namespace zeft
