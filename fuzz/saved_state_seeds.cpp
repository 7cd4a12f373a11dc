// Writes the seed corpus of the saved_state target: each kind of saved file
// as the program writes it (first-run values, and values with every box and
// number set otherwise), behind the byte that chooses its kind, and a few
// files as an editor may leave them. Usage: saved_state_seeds <folder>
#include <cstdio>
#include <fstream>
#include <string>

#include "core/thresholds.h"
#include "savedstate/displaysetup.h"
#include "savedstate/history.h"
#include "savedstate/mappreset.h"
#include "savedstate/overviewlayout.h"

namespace {

using namespace ondrik::saved;

// Every check box ticked (or greyed), every flag turned over.
template <class S>
S Turned(const std::vector<Item<S>>& items, S s) {
  for (std::size_t n = 0; n < items.size(); ++n) {
    const Item<S>& it = items[n];
    if (it.kind == Kind::Whole && it.limits.lo == kBox.lo && it.limits.hi == kBox.hi) IntOf(it, s) = 1 + n % 2;
    if (it.kind == Kind::Flag || it.kind == Kind::WholeFlag) FlagOf(it, s) = !FlagOf(it, s);
  }
  return s;
}

// Line ends LF only, and the print zones' blanks after the header turned
// into commas.
std::string Edited(const std::string& text) {
  std::string out;
  std::size_t i = 0;
  if (text.rfind('#', 0) == 0) {
    i = text.find('\n') + 1;
    out = text.substr(0, i - 2) + "\n";
  }
  for (; i < text.size(); ++i) {
    if (text[i] == '\r') continue;
    if (text[i] == ' ' && i + 1 < text.size() && text[i + 1] == ' ') {
      while (i + 1 < text.size() && text[i + 1] == ' ') ++i;
      out += ',';
      continue;
    }
    out += text[i];
  }
  return out;
}

bool Put(const std::string& folder, const std::string& name, char kind, const std::string& text) {
  std::ofstream out(folder + "/" + name, std::ios::binary | std::ios::trunc);
  out << kind << text;
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  ondrik::IndexThresholdTable thresholds;
  ondrik::StoreDefaultIndexThresholds(thresholds);
  const HistoryFile history = HistoryDefaults(thresholds);
  const std::string hst = WriteHistory(history);
  const std::string sp = WriteDisplaySetup(DisplaySetup{});
  const std::string so = WriteOverviewLayout(OverviewLayout{});
  const std::string mp = WriteMapPreset(MapPreset{});
  bool ok = Put(dir, "history", '\0', hst) &&
            Put(dir, "history_turned", '\0', WriteHistory(Turned(HistoryRecord(), history))) &&
            Put(dir, "history_edited", '\0', Edited(hst)) &&
            Put(dir, "history_old", '\0', "#    11.11.5\r\n" + hst.substr(hst.find('\n') + 1)) &&
            Put(dir, "setup", '\1', sp) &&
            Put(dir, "setup_turned", '\1', WriteDisplaySetup(Turned(DisplaySetupRecord(), DisplaySetup{}))) &&
            Put(dir, "setup_edited", '\1', Edited(sp)) &&
            Put(dir, "layout", '\2', so) &&
            Put(dir, "layout_turned", '\2', WriteOverviewLayout(Turned(OverviewLayoutRecord(), OverviewLayout{}))) &&
            Put(dir, "layout_edited", '\2', Edited(so)) &&
            Put(dir, "mappreset", '\3', mp) &&
            Put(dir, "mappreset_edited", '\3', Edited(WriteMapPreset(Turned(MapPresetRecord(), MapPreset{}))));
  if (!ok) std::fprintf(stderr, "%s: cannot write into %s\n", argv[0], dir.c_str());
  return ok ? 0 : 1;
}
