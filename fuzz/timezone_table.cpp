// The time-zone table on any bytes: read, matched against its own sites,
// written back and read again. The table keeps at most 300 records with
// corrections of at most a day, says so when it drops records, finds the
// first record of a site, and what it writes reads back as the same table
// (to the seven digits the file keeps of a number; a value that needs more,
// such as a latitude of 75555555555539, comes back as its seven-digit
// neighbour, which then writes the same text again).
#include <cstdint>
#include <string>
#include <vector>

#include "core/loadui.h"
#include "fuzz/fuzz_support.h"
#include "profilewindow/timezone.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ondrik;
  FakeEffects& effects = fuzz::QuietEffects();
  const std::string path = fuzz::WriteInputFile("TimeZone.DAT", data, size);
  const int n = ReadTimeZoneFile(path);
  FUZZ_CHECK(n == static_cast<int>(gTZRecords.size()) && n <= kMaxTimeZoneRecords, "record count out of bounds");
  FUZZ_CHECK(effects.messages.size() <= 1, "more than one message for one table");
  const std::vector<TimeZoneRecord> table = gTZRecords;
  for (int i = 0; i < n && i < 8; ++i) {
    const TimeZoneRecord& r = table[static_cast<std::size_t>(i)];
    FUZZ_CHECK(r.correction >= -24 && r.correction <= 24, "correction beyond a day");
    int row = -2;
    const int offset = TimeZoneOffsetFor(table, r.lat, r.lon, 1, row);
    FUZZ_CHECK(row >= 0 && row <= i, "a site of the table is not found at its first record");
    const TimeZoneRecord& m = table[static_cast<std::size_t>(row)];
    FUZZ_CHECK(offset == TimeZoneOffsetOfLongitude(m.lon) + m.correction - 1, "offset is not zone + correction - summer hour");
  }

  const std::string copy = fuzz::ScratchFolder() + "TimeZone.copy";
  FUZZ_CHECK(WriteTimeZoneFile(copy), "the table cannot be written");
  ReadTimeZoneFile(copy);
  FUZZ_CHECK(gTZRecords.size() == table.size(), "the table written back reads back with another record count");
  for (std::size_t i = 0; i < table.size(); ++i) {
    FUZZ_CHECK(FormatTimeZoneRecord(gTZRecords[i]) == FormatTimeZoneRecord(table[i]) &&
                   gTZRecords[i].correction == table[i].correction,
               "record " + std::to_string(i) + " reads back as another: " + FormatTimeZoneRecord(table[i]) +
                   " as " + FormatTimeZoneRecord(gTZRecords[i]));
  }
  return 0;
}
