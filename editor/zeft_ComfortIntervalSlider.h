#pragma once

// The schedule editor in one include: the period control, the day row, the hour legend, the
// in-window drag and drop, and the display scale.
#include "TDailyComfortIntervalsSlider.h"
#include "TDropTarget.h"
#include "TInWindowDrag.h"
#include "TLegend.h"
#include "TSingleComfortIntervalSlider.h"
#include "TSliderList.h"
#include "zeft_DisplayScale.h"
#include "zeft_EditorGeometry.h"
#include "zeft_LegendHourLabel.h"
#include "zeft_TimeText.h"
