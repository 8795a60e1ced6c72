#include "zeft_ProgramText.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

namespace zeft {

namespace {

void AppendTime(std::string& text, TTime t) {
    const int minutes = MinutesOf(t);
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d", minutes / 60 % 100, minutes % 60);
    text += buffer;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> pieces;
    for (;;) {
        const size_t at = text.find(separator);
        pieces.push_back(text.substr(0, at));
        if (at == std::string_view::npos)
            return pieces;
        text.remove_prefix(at + 1);
    }
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

/// Minutes since 00:00 of "HH:MM" (00:00 to 24:00), or nothing.
std::optional<int> ParseTime(std::string_view text) {
    if (text.size() != 5 || !IsDigit(text[0]) || !IsDigit(text[1]) || text[2] != ':' ||
        !IsDigit(text[3]) || !IsDigit(text[4]))
        return std::nullopt;
    const int hours = (text[0] - '0') * 10 + (text[1] - '0');
    const int minutes = (text[3] - '0') * 10 + (text[4] - '0');
    if (minutes > 59 || hours * 60 + minutes > 24 * 60)
        return std::nullopt;
    return hours * 60 + minutes;
}

std::optional<double> ParseTemperature(std::string_view text) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) ||
        value < TTemperature::MinTemperature || value > TTemperature::MaxTemperature)
        return std::nullopt;
    return value;
}

std::unique_ptr<TDailyHeatingIntervals> ParseDay(std::string_view text) {
    auto day = std::make_unique<TDailyHeatingIntervals>();
    int expectedStart = 0;
    for (std::string_view item : Split(text, ';')) {
        // "HH:MM-HH:MM T"
        if (item.size() < 13 || item[5] != '-' || item[11] != ' ')
            return nullptr;
        const auto start = ParseTime(item.substr(0, 5));
        const auto stop = ParseTime(item.substr(6, 5));
        const auto temperature = ParseTemperature(item.substr(12));
        if (!start || !stop || !temperature || *start != expectedStart || *stop % 10 != 0 ||
            *stop - *start < 10)
            return nullptr;
        auto period = std::make_unique<TSingleHeatingInterval>(*temperature, TimeOf(0, *start),
                                                               TimeOf(0, *stop));
        if (day->Add(std::move(period)) < 0)
            return nullptr; // more periods than a day holds
        expectedStart = *stop;
    }
    if (expectedStart != 24 * 60)
        return nullptr;
    return day;
}

} // namespace

std::string ProgramText(const THeatingLocation& location) {
    std::string text;
    if (!location.HasDays())
        return text;
    for (int d = 0; d < THeatingLocation::DaysPerWeek; ++d) {
        if (d > 0)
            text += '|';
        const TDailyHeatingIntervals& day = location.Days(d);
        for (int i = 0; i < day.Count(); ++i) {
            const TSingleHeatingInterval& period = day.Items(i);
            if (i > 0)
                text += ';';
            AppendTime(text, period.Start());
            text += '-';
            AppendTime(text, period.Stop());
            text += ' ';
            char buffer[32];
            const auto end =
                std::to_chars(buffer, buffer + sizeof buffer, period.Temperature().Value()).ptr;
            text.append(buffer, end);
        }
    }
    return text;
}

int PeriodCount(const THeatingLocation& location) {
    if (!location.HasDays())
        return 0;
    int count = 0;
    for (int d = 0; d < THeatingLocation::DaysPerWeek; ++d)
        count += location.Days(d).Count();
    return count;
}

std::unique_ptr<THeatingLocation> ParseProgramText(std::string_view text, std::string name) {
    const std::vector<std::string_view> dayTexts = Split(text, '|');
    if (dayTexts.size() != THeatingLocation::DaysPerWeek)
        return nullptr;
    THeatingLocation::TDays days;
    for (size_t d = 0; d < days.size(); ++d) {
        days[d] = ParseDay(dayTexts[d]);
        if (!days[d])
            return nullptr;
    }
    auto location = std::make_unique<THeatingLocation>();
    location->DisplayText = std::move(name);
    location->SetDays(std::move(days));
    return location;
}

} // namespace zeft
