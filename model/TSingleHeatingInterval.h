#pragma once

#include "TModelObject.h"
#include "TTemperature.h"
#include "zeft_Time.h"

#include <memory>

namespace zeft {

/// One switching period of a day. Boundaries always lie on 10-minute marks and the period
/// stays at least 10 minutes long under SetStart and SetStop.
class TSingleHeatingInterval : public TModelObject {
public:
    /// Takes ownership of the temperature; start and stop are rounded down to 10-minute marks.
    TSingleHeatingInterval(std::unique_ptr<TTemperature> temperature, TTime start, TTime stop);
    /// The same with a temperature of its own made from the value (clamped).
    TSingleHeatingInterval(double temperature, TTime start, TTime stop);

    TTime MaxStart() const { return FMaxStart; }
    TTime Start() const { return FStart; }
    TTime Stop() const { return FStop; }
    TTime MinStop() const { return FMinStop; }
    TTemperature& Temperature() { return FTemperature; }
    const TTemperature& Temperature() const { return FTemperature; }
    TTime Duration() const { return FStop - FStart; }

    void SetStart(TTime t);
    void SetStop(TTime t);

    /// Bounds the owning day maintains; they fire no notification.
    void SetMaxStart(TTime t) { FMaxStart = t; }
    void SetMinStop(TTime t) { FMinStop = t; }

    /// Rounds down to the 10-minute mark, keeping the day part (1.0 stays 1.0).
    static TTime RoundToTenMinutes(TTime t);

    std::function<void(TTime start, TTime stop)> OnTimesChange;
    bool SuppressTimesChange = false;
    TChangeEvent OnChange;

private:
    void NotifyChange();

    TTime FMaxStart = 0.0;
    TTime FStart;
    TTime FStop;
    TTime FMinStop = 0.0;
    // Held in the period itself: a file of a thousand rooms holds 35,000 of them, and one
    // allocation less each makes a good part of reading it.
    TTemperature FTemperature;
};

} // namespace zeft
