// The "Export" button: the profile of the current dataset and hour as two
// text files for other sounding tools, "<base>.nsp" (LF line ends, six
// decimals) and "<base>.bsp" (a titled block of comma-separated rows, CR LF
// line ends), in the export folder.
#pragma once

#include <string>

#include "core/datetime.h"
#include "core/printformat.h"
#include "platform/effects.h"

namespace ondrik {

// "<model>_<site>_<yymmdd>_<hh>z_F<hour, at least two digits>".
std::string ExportBaseName(const std::string& modelName, const std::string& siteId, const DateTime& runTime,
                           int curHour);


// The ".nsp" text of dataset d, hour h of the current store. Latitude and
// longitude are those of dataset 1 (the longitude written east-positive).
std::string NspText(int d, int h, const std::string& siteId);
// The ".bsp" text of dataset d, hour h. Each value is right-aligned in 8
// columns; a longer value widens its field rather than losing characters.
std::string BspText(int d, int h, const std::string& siteId);

// True when dataset d, hour h holds a profile with at least one level.
bool ExportableProfile(int d, int h);

struct ExportResult {
  bool ok = false;
  std::string nspPath, bspPath;
  std::string error;
};

// btnExport_Click: writes both files of dataset gCurDataset, hour curHour,
// into exportDir (joined with "/" when it does not end in a separator),
// replacing files of the same names through a temporary file (written
// through effects, every write checked), so a failed write, a full disk
// included, leaves an earlier copy intact. Nothing loaded, or a failed write,
// is reported through effects.Message.
ExportResult ExportProfile(const std::string& exportDir, const std::string& modelName,
                           const std::string& siteId, int curHour, Effects& effects);

}  // namespace ondrik
