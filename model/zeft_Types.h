#pragma once

// The schedule model in one include: periods, days, locations and their collection.
#include "TDailyHeatingIntervals.h"
#include "THeatingLocation.h"
#include "THeatingLocations.h"
#include "TScheduleFileError.h"
#include "TSingleHeatingInterval.h"
#include "TTemperature.h"
#include "zeft_Time.h"
