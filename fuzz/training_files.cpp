// The training files on any bytes: the same text as the training index
// "Ondrik.ref" and as the help window's outline "OndrikTraining.dat" in the
// program folder, read as the program reads them; the outline laid out with
// every area folded and with every area open; the first targets of both
// resolved (each resolution walks the file system, so only the first few).
//
// Promises: the index keeps at most its topics, each found by its own key;
// the outline keeps at most its areas, every button in an area that is there;
// the layout places one label per area and exactly the buttons of the open
// areas, in order, inside the window; a resolved target is a web address,
// a document that is no program, or refused with a reason.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "config/config.h"
#include "profilewindow/training.h"

namespace ondrik {
namespace {

void CheckTarget(const std::string& target) {
  const ResolvedTarget r = ResolveTrainingTarget(target, fuzz::ScratchFolder());
  switch (r.kind) {
    case ResolvedTarget::kWebAddress:
      FUZZ_CHECK(ToLowerAscii(r.location).rfind("http://", 0) == 0 || ToLowerAscii(r.location).rfind("https://", 0) == 0,
                 "a web address that is not one: " + r.location);
      break;
    case ResolvedTarget::kDocument:
      FUZZ_CHECK(!r.location.empty() && (r.location[0] == '/' || (r.location.size() >= 2 && r.location[1] == ':')),
                 "a document without an absolute path: " + target);
      break;
    case ResolvedTarget::kRefused:
      FUZZ_CHECK(!r.reason.empty() && !r.viaBrowser, "a refusal without a reason: " + target);
      break;
  }
}

void CheckIndex() {
  const TrainingIndex t = ReadTrainingIndex(fuzz::ScratchFolder());
  FUZZ_CHECK(t.TrainingCount >= 0 && t.TrainingCount <= kMaxTrainingTopics, "topic count out of bounds");
  FUZZ_CHECK(t.entries.size() == static_cast<std::size_t>(t.TrainingCount) + 1, "topics and count out of step");
  for (int i = 1; i <= t.TrainingCount; ++i) {
    const TrainingEntry& e = t.entries[static_cast<std::size_t>(i)];
    FUZZ_CHECK(TrainingTopicKey(e.topic) == e.topic, "a topic not kept as its key");
    const TrainingEntry* found = t.Find(e.topic);
    FUZZ_CHECK(found != nullptr && found->topic == e.topic && found <= &e, "a topic not found by its key");
    FUZZ_CHECK(e.targets.empty() || e.targets.back() == '|', "targets not closed by |");
    if (i > 2) continue;
    // Every target walks the file system; the first few of a topic reach
    // every branch of the resolution, the rest only repeat them slowly.
    const std::vector<std::string> targets = SplitTargets(e.targets);
    for (std::size_t k = 0; k < targets.size() && k < 3; ++k) CheckTarget(targets[k]);
  }
}

void CheckOutline() {
  std::vector<std::string> lines;
  FUZZ_CHECK(ReadTextLines(fuzz::ScratchFolder() + "OndrikTraining.dat", lines), "the outline does not read");
  const HelpOutline o = ParseHelpOutline(lines);
  FUZZ_CHECK(o.AreaCount() >= 0 && o.AreaCount() <= kMaxHelpAreas, "area count out of bounds");
  int lastArea = 0;
  for (const HelpButtonRow& b : o.buttons) {
    FUZZ_CHECK(b.area >= lastArea && b.area <= o.AreaCount(), "a button in no area, or out of order");
    lastArea = b.area;
  }
  for (std::size_t i = 0; i < o.buttons.size() && i < 2; ++i) CheckTarget(o.buttons[i].target);

  std::array<Integer, kMaxHelpAreas + 1> open{};
  for (int pass = 0; pass < 2; ++pass) {
    const HelpLayout l = LayOutHelp(o, open);
    FUZZ_CHECK(l.labels.size() == static_cast<std::size_t>(o.AreaCount()), "not one label per area");
    std::size_t expected = 0;
    for (const HelpButtonRow& b : o.buttons) expected += b.area >= 1 && open[static_cast<std::size_t>(b.area)] == 1;
    FUZZ_CHECK(l.buttons.size() == expected, "not the buttons of the open areas");
    int last = -1;
    for (const HelpLayout::Place& p : l.buttons) {
      FUZZ_CHECK(p.index > last && p.index < static_cast<int>(o.buttons.size()), "buttons out of order");
      last = p.index;
      FUZZ_CHECK(p.left >= kHelpLeft && p.left <= kHelpRowEnd && p.top >= kHelpFirstTop && p.top < l.okTop,
                 "a button outside the window");
    }
    FUZZ_CHECK(l.okTop < l.height, "the exit button below the window");
    open.fill(1);
  }
}

}  // namespace
}  // namespace ondrik

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ondrik;
  fuzz::QuietEffects();
  fuzz::WriteInputFile("Ondrik.ref", data, size);
  fuzz::WriteInputFile("OndrikTraining.dat", data, size);
  CheckIndex();
  CheckOutline();
  return 0;
}
