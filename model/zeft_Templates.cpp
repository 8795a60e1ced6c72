#include "zeft_Templates.h"

#include <initializer_list>
#include <vector>

namespace zeft {

namespace {

struct TTemplatePeriod {
    int StartMinutes;
    int StopMinutes;
    double Temperature;
};

using TTemplateDay = std::vector<TTemplatePeriod>;

constexpr int H(int hours, int minutes = 0) {
    return hours * 60 + minutes;
}

struct TTemplate {
    TTemplateDay Weekdays;
    TTemplateDay Saturday;
    TTemplateDay Sunday;
};

// The ten weekly programs; Monday to Friday always share one program.
const std::vector<TTemplate>& Templates() {
    static const std::vector<TTemplate> templates = [] {
        const TTemplateDay allDay17 = {{H(0), H(24), 17}};
        const TTemplateDay allDay15 = {{H(0), H(24), 15}};
        const TTemplateDay office = {
            {H(0), H(8), 15}, {H(8), H(17, 30), 20}, {H(17, 30), H(24), 15}};
        const TTemplateDay bedroomWeekend = {
            {H(0), H(10), 17}, {H(10), H(22), 15}, {H(22), H(24), 17}};
        const TTemplateDay playroomWeekend = {
            {H(0), H(8), 17}, {H(8), H(20), 20}, {H(20), H(24), 18}};
        const TTemplateDay kitchenWeekend = {{H(0), H(8), 17},
                                             {H(8), H(13), 20},
                                             {H(13), H(17), 18},
                                             {H(17), H(20), 20},
                                             {H(20), H(24), 17}};
        const TTemplateDay bathroomWeekend = {{H(0), H(8), 17},
                                              {H(8), H(11), 22},
                                              {H(11), H(19), 17},
                                              {H(19), H(23), 19},
                                              {H(23), H(24), 19}};
        const TTemplateDay hallWeekend = {
            {H(0), H(8), 15}, {H(8), H(12), 17}, {H(12), H(23), 16}, {H(23), H(24), 15}};
        return std::vector<TTemplate>{
            {allDay17, allDay17, allDay17},
            {{{H(0), H(17), 17}, {H(17), H(23), 20}, {H(23), H(24), 17}},
             {{H(0), H(9), 17}, {H(9), H(24), 20}},
             {{H(0), H(9), 17}, {H(9), H(23), 20}, {H(23), H(24), 17}}},
            {{{H(0), H(7), 17}, {H(7), H(22), 15}, {H(22), H(24), 17}},
             bedroomWeekend,
             bedroomWeekend},
            {{{H(0), H(7), 17},
              {H(7), H(9), 20},
              {H(9), H(13), 17},
              {H(13), H(20), 20},
              {H(20), H(24), 18}},
             playroomWeekend,
             playroomWeekend},
            {{{H(0), H(6, 30), 17},
              {H(6, 30), H(9), 20},
              {H(9), H(11, 30), 17},
              {H(11, 30), H(13), 20},
              {H(13), H(17), 17},
              {H(17), H(20), 20},
              {H(20), H(24), 17}},
             kitchenWeekend,
             kitchenWeekend},
            {{{H(0), H(6, 30), 17},
              {H(6, 30), H(9), 22},
              {H(9), H(17), 17},
              {H(17), H(23), 20},
              {H(23), H(24), 19}},
             bathroomWeekend,
             bathroomWeekend},
            {{{H(0), H(6, 30), 15},
              {H(6, 30), H(9), 17},
              {H(9), H(17), 15},
              {H(17), H(23), 17},
              {H(23), H(24), 15}},
             hallWeekend,
             hallWeekend},
            {office, allDay15, allDay15},
            {office, {{H(0), H(8), 17}, {H(8), H(15), 20}, {H(15), H(24), 17}}, allDay15},
            {office, office, office},
        };
    }();
    return templates;
}

std::unique_ptr<TDailyHeatingIntervals> MakeDay(const TTemplateDay& periods) {
    auto day = std::make_unique<TDailyHeatingIntervals>();
    for (const TTemplatePeriod& p : periods)
        day->Add(std::make_unique<TSingleHeatingInterval>(
            std::make_unique<TTemperature>(p.Temperature), p.StartMinutes / MinutesPerDay,
            p.StopMinutes / MinutesPerDay));
    return day;
}

} // namespace

std::unique_ptr<THeatingLocation> CreateTemplateLocation(int templateIndex,
                                                         const TTextLookup& lookup) {
    if (templateIndex < 0 || templateIndex >= TemplateCount)
        templateIndex = 0;
    const TTemplate& t = Templates()[static_cast<size_t>(templateIndex)];
    auto location = std::make_unique<THeatingLocation>();
    if (lookup)
        location->DisplayText = lookup(TemplateNameStringId + templateIndex);
    THeatingLocation::TDays days;
    for (size_t d = 0; d < 5; ++d)
        days[d] = MakeDay(t.Weekdays);
    days[5] = MakeDay(t.Saturday);
    days[6] = MakeDay(t.Sunday);
    location->SetDays(std::move(days));
    return location;
}

} // namespace zeft
