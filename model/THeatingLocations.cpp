#include "THeatingLocations.h"

#include <algorithm>

namespace zeft {

THeatingLocations::~THeatingLocations() {
    OnAdd = nullptr;
    OnDelete = nullptr;
    OnChange = nullptr;
}

int THeatingLocations::IndexOf(const THeatingLocation* location) const {
    for (int i = 0; i < Count(); ++i)
        if (FItems[static_cast<size_t>(i)].get() == location)
            return i;
    return -1;
}

void THeatingLocations::NotifyChange(TModelObject* sender) {
    if (OnChange)
        OnChange(sender);
}

int THeatingLocations::Add(std::unique_ptr<THeatingLocation> location) {
    return Insert(Count(), std::move(location));
}

int THeatingLocations::Insert(int index, std::unique_ptr<THeatingLocation> location) {
    if (!location)
        return -1;
    index = std::clamp(index, 0, Count());
    THeatingLocation* added = location.get();
    FItems.insert(FItems.begin() + index, std::move(location));
    added->OnChange = [this](TModelObject* sender) { NotifyChange(sender); };
    if (OnAdd)
        OnAdd(added);
    NotifyChange(this);
    return index;
}

std::unique_ptr<THeatingLocation> THeatingLocations::Extract(int index) {
    if (index < 0 || index >= Count())
        return nullptr;
    if (OnDelete)
        OnDelete(index);
    std::unique_ptr<THeatingLocation> location = std::move(FItems[static_cast<size_t>(index)]);
    FItems.erase(FItems.begin() + index);
    location->OnChange = nullptr;
    NotifyChange(this);
    return location;
}

void THeatingLocations::Delete(int index) {
    Extract(index).reset();
}

void THeatingLocations::Clear() {
    for (int i = Count() - 1; i >= 0; --i)
        Delete(i);
    NotifyChange(this);
}

std::string THeatingLocations::MakeUniqueName(const std::string& name) const {
    auto taken = [this](const std::string& candidate) {
        for (const auto& location : FItems)
            if (location->DisplayText == candidate)
                return true;
        return false;
    };
    std::string result = name;
    for (int n = 1; taken(result); ++n)
        result = name + std::to_string(n);
    return result;
}

} // namespace zeft
