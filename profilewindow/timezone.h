// The time-zone table "TimeZone.DAT" and local time.
//
// Valid times in profile files are UTC. A site's local offset is its
// longitude zone, corrected per site by the table, minus the summer-time hour
// of the configuration. The overview's "<" and ">" buttons adjust the offset
// of the loaded site and store the correction in the table.
#pragma once

#include <string>
#include <vector>

#include "core/datetime.h"

namespace ondrik {

inline constexpr int kMaxTimeZoneRecords = 300;

struct TimeZoneRecord {
  float lat = 0;         // degrees
  float lon = 0;         // degrees, positive west
  int correction = 0;    // hours added to the longitude zone
};

// The table (module-level: read at start-up, matched at every load, changed
// by the overview's adjust buttons). gTZRow is the record that matched the
// site loaded last, -1 when none. gTZOffset itself lives in core/store.h.
extern std::vector<TimeZoneRecord> gTZRecords;
extern int gTZRow;
// Summer-time hour of the configuration (0 or 1), set at start-up.
extern int gTZConfigOffset;

// Reads the table file into gTZRecords (empty when the file is missing).
// Each line holds latitude, longitude and correction, separated by commas or
// blanks; lines that do not hold three finite numbers are skipped. At most 300
// records: a file with more is read up to the 300th and the user is told so
// through the effects layer. Returns the number of records.
int ReadTimeZoneFile(const std::string& path);
// Parses the table text (the part of ReadTimeZoneFile without the file);
// `truncated` tells whether records beyond the 300th were dropped.
std::vector<TimeZoneRecord> ParseTimeZoneLines(const std::vector<std::string>& lines, bool& truncated);
// Rewrites the whole file from gTZRecords through a temporary file (every
// write checked, then renamed); false, with a message, when it cannot be
// written, and the file then keeps its earlier records.
bool WriteTimeZoneFile(const std::string& path);
// One record as the file writes it (print zones).
std::string FormatTimeZoneRecord(const TimeZoneRecord& r);

// The offset of a site: longitude zone (TimeZoneOffsetOfLongitude) plus the first matching record's
// correction (exact equality of latitude and longitude) minus the summer-time
// hour. `row` receives the matching record's index (0-based) or -1.
int TimeZoneOffsetFor(const std::vector<TimeZoneRecord>& table, float lat, float lonWest,
                      int summerHour, int& row);

// Sets gTZOffset and gTZRow for the site of dataset gDatasetCount (the one the
// loader has just read).
void GetTimeZoneOffset();

// The overview's adjust buttons: gTZOffset += delta (-1 or +1); the site's
// record (appended when there is none) gets the correction that reproduces
// the new offset at the next load; then the file is rewritten. A 301st record
// is refused with a message; the offset still changes for this run. Returns
// false when the record could not be kept or the file not written.
bool AdjustTimeZoneOffset(int delta, const std::string& path);

// The present date and time as the computer's clock shows it (its local
// wall-clock time).
DateTime ComputerNow();

// The present time in UTC (SiteNow): the computer's time plus clockUtcOffset
// hours when the configuration says the clock keeps local time (zone 5 west
// in summer time: plus 4 hours); unchanged when it keeps UTC.
DateTime SiteNow(bool clockIsLocal, int clockUtcOffset, const DateTime& computerNow);
DateTime SiteNow(bool clockIsLocal, int clockUtcOffset);

// The site's local time of a UTC valid time: the valid time minus tzOffset hours.
DateTime LocalTimeOf(const DateTime& validUtc, int tzOffset);

// Caption of the local-time label: the weekday name, four blanks, then the
// local time as "Mar 12  1:00 pm" (e.g. "Monday    Mar 12  1:00 pm"); ""
// for a valid time that is not set.
std::string LocalTimeLabel(const DateTime& validUtc, int tzOffset);

}  // namespace ondrik
