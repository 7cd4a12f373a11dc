// The time dimension of the overview, free of drawing: the labels of the
// time axis, the hour of the present time and the precipitation and snow
// totals of the readout.
#pragma once

#include <string>

#include "core/datetime.h"
#include "core/store.h"

namespace ondrik {

// The UTC label of a valid time: "06z" on the hour, "0630z" otherwise.
std::string UtcTimeLabel(const DateTime& valid);
// The local label: the first two letters of the weekday and the hour on a
// 12-hour clock with a or p ("Mo 6p"; "Mo 630p" when the valid time is not
// on the hour). The valid time decides whether minutes are shown.
std::string LocalTimeAxisLabel(const DateTime& valid, Integer tzOffset);
// The label step in hour indexes of the file shown. The model labels every
// modelStep-th of its forecast times, modelHours apart; a file whose hours
// lie otherwise apart (an ensemble's three-hourly file under an hourly
// model's key) is labelled at the nearest whole number of its own steps to
// that spacing in hours, at least every step. 0 (no model chosen yet)
// counts as 1.
Integer TimeLabelStep(Integer modelStep, Single modelHours);

// The x of the present time: whole hours from the first valid time of the
// dataset to now (hour boundaries crossed) over the hours per step.
Single NowHourIndex(Integer d, const DateTime& now);

// Total precipitation of dataset d over the hours first..last (either
// order, both included, held within the dataset).
Single PrecipitationTotal(Integer d, Integer first, Integer last);
// Snow of dataset d over the hours: the raw sum of SnowAmount, and the
// settled sum in which each hour's snow has settled by
// exp(-0.08 * sqrt(age * hours per step)), age = hours from it to the last.
struct SnowTotal {
  Single raw = 0;
  Single settled = 0;
};
SnowTotal SnowTotals(Integer d, Integer first, Integer last);
// Captions of the readout label: 0.25" ; 4.3" (5.0) .
std::string PrecipTotalCaption(Single total);
std::string SnowTotalCaption(const SnowTotal& t);

}  // namespace ondrik
