#pragma once

#include <QString>

class QWidget;

namespace zeft {

class TDailyComfortIntervalsSlider;
class TSingleComfortIntervalSlider;

/// Lets assistive technology (screen readers) read the schedule editor: a period control is a
/// list item named with its day, start, stop and temperature ("Monday, 06:30 to 09:00,
/// 22.0°C", text 4950), selectable; a day row is a list named after its day ("Switching
/// periods: Monday", text 4951) whose focused child is its current period. The names are made
/// when they are asked for, so they follow the interface language and the user's formats.
/// Safe to call more than once; the controls call it when they are made.
void InstallEditorAccessibility();

/// The accessible name of a period control; empty while no period is bound.
QString PeriodAccessibleName(const TSingleComfortIntervalSlider& control);
/// The accessible name of a day row; the day name alone when its day is unknown.
QString DayRowAccessibleName(const TDailyComfortIntervalsSlider& row);

/// Tells assistive technology that the widget's name has changed (when any is listening).
void NotifyAccessibleNameChanged(QWidget* widget);
/// Tells assistive technology that the keys now act on this period control of a focused row,
/// once per change (null: no period has the keys any more).
void NotifyAccessibleFocus(QWidget* current);

/// A time of day in the user's short time format, with the end of the day as "24:00" where
/// the clock runs to 24 (a 12-hour clock says "12:00 AM").
QString FormatTimeOfDayForSpeech(double t);

} // namespace zeft
