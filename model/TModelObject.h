#pragma once

#include <functional>

namespace zeft {

/// Common base of the model objects, so that a change notification can name its sender
/// whatever level it started on (period, day, location or collection).
class TModelObject {
public:
    TModelObject() = default;
    TModelObject(const TModelObject&) = delete;
    TModelObject& operator=(const TModelObject&) = delete;
    virtual ~TModelObject() = default;
};

using TChangeEvent = std::function<void(TModelObject* sender)>;

} // namespace zeft
