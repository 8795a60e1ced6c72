#pragma once

#include "THeatingLocation.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pugi {
class xml_document;
}

namespace zeft {

class TLineLocator;

/// The ordered list of locations, owning them, with its notifications to the main window.
class THeatingLocations : public TModelObject {
public:
    THeatingLocations() = default;
    /// Destroys the locations without notifying: the subscriber may be going away itself.
    ~THeatingLocations() override;

    int Count() const { return static_cast<int>(FItems.size()); }
    THeatingLocation& Items(int index) { return *FItems[static_cast<size_t>(index)]; }
    const THeatingLocation& Items(int index) const { return *FItems[static_cast<size_t>(index)]; }
    int IndexOf(const THeatingLocation* location) const;

    int Add(std::unique_ptr<THeatingLocation> location);
    /// Add, but at index (clamped to 0..Count), with the same notifications; returns the
    /// index. Undoing a removal puts the location back where it was in the file order.
    int Insert(int index, std::unique_ptr<THeatingLocation> location);
    /// Removes and destroys the location at index, with its notifications.
    void Delete(int index);
    /// Removes the location at index with the notifications of Delete, but hands it to the
    /// caller instead of destroying it (moving locations from one collection to another).
    std::unique_ptr<THeatingLocation> Extract(int index);
    void Clear();
    /// name, or name followed by the smallest number n >= 1 that no location carries yet.
    std::string MakeUniqueName(const std::string& name) const;

    /// Clears the collection and reads the locations of a parsed schedule document. Throws
    /// TScheduleFileError naming the element (and, with a locator, the line) that is wrong;
    /// the locations read up to then stay in the collection.
    void LoadFromXML(const pugi::xml_document& document, const TLineLocator* lines = nullptr);
    /// Writes the whole collection; the previous file survives any failure. Throws
    /// TScheduleFileError. written sees each block of the file as it goes to disk (for its
    /// digest, without reading it back).
    void SaveToFile(const std::string& fileName,
                    const std::function<void(std::string_view block)>& written = {}) const;

    std::function<void(THeatingLocation* location)> OnAdd;
    std::function<void(int index)> OnDelete;
    TChangeEvent OnChange;

private:
    void NotifyChange(TModelObject* sender);

    std::vector<std::unique_ptr<THeatingLocation>> FItems;
};

} // namespace zeft
