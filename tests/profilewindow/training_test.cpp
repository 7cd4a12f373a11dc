// The training index, what its targets may open, and the help outline with
// the help window's layout; the shipped files against the code's topics.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "config/config.h"
#include "profilewindow/frmprofile.h"
#include "profilewindow/paneltable.h"
#include "profilewindow/training.h"
#include "tests/common/temp_folder.h"

namespace ondrik {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  std::stringstream ss(text);
  for (std::string l; std::getline(ss, l);) out.push_back(l);
  return out;
}

TEST(TrainingIndex, TopicsTargetsAndTheLimit) {
  const TrainingIndex t = ParseTrainingIndex(Lines(
      "# comment\n"
      "before.htm\n"
      "\n"
      "  [ cape ]  \n"
      "  help/parcel.htm#cape \n"
      "www.example.org/cape\n"
      "[Equlibrium Lvl]\n"
      "#help/hidden.htm\n"
      "help/markers.htm#eql\n"));
  ASSERT_EQ(t.TrainingCount, 2);
  EXPECT_EQ(t.entries[0].targets, "before.htm|");
  ASSERT_NE(t.Find(TrainingTopicKey("Cape  ")), nullptr);
  EXPECT_EQ(SplitTargets(t.Find("CAPE")->targets),
            (std::vector<std::string>{"help/parcel.htm#cape", "www.example.org/cape"}));
  EXPECT_EQ(t.Find("EQULIBRIUM LVL")->targets, "help/markers.htm#eql|");
  EXPECT_EQ(t.Find("Cape"), nullptr) << "lookup keys are upper-cased by the caller";

  // 201 topics: the table keeps 200, and the 201st's targets go nowhere.
  std::string many;
  for (int i = 1; i <= 201; ++i) many += "[T" + std::to_string(i) + "]\nt" + std::to_string(i) + ".htm\n";
  const TrainingIndex big = ParseTrainingIndex(Lines(many));
  EXPECT_EQ(big.TrainingCount, kMaxTrainingTopics);
  EXPECT_EQ(big.Find("T201"), nullptr);
  EXPECT_EQ(big.Find("T200")->targets, "t200.htm|");
}

TEST(TrainingTargets, DocumentsAndWebAddressesOnly) {
  const std::string dir = testing::TempFolderIn("training", "targets");
  fs::create_directories(dir + "Help");
  std::ofstream(dir + "Help/Data.htm") << "<p id=\"x\">";
  std::ofstream(dir + "tool") << "#!/bin/sh\n";
  fs::permissions(dir + "tool", fs::perms::owner_all);
  const struct {
    std::string target;
    ResolvedTarget::Kind kind;
    bool browser;
    std::string location, anchor;
  } cases[] = {
      {"help/data.htm#x", ResolvedTarget::kDocument, false, dir + "Help/Data.htm", "x"},
      {"HELP\\DATA.HTM", ResolvedTarget::kDocument, false, dir + "Help/Data.htm", ""},
      {"/abs/page.htm#a#b", ResolvedTarget::kDocument, false, "/abs/page.htm", "a#b"},
      {"Gone//HELP/data.htm", ResolvedTarget::kDocument, false, dir + "Gone/HELP/data.htm", ""},
      {"help/../HELP/DATA.HTM", ResolvedTarget::kDocument, false, dir + "Help/../Help/Data.htm", ""},
      {"www.example.org", ResolvedTarget::kWebAddress, false, "http://www.example.org", ""},
      {" https://example.org/p#q ", ResolvedTarget::kWebAddress, false, "https://example.org/p#q", ""},
      {"Firefox!help/data.htm", ResolvedTarget::kDocument, true, dir + "Help/Data.htm", ""},
      {"a!https://x.org/!b", ResolvedTarget::kWebAddress, true, "https://x.org/!b", ""},
      {"setup.exe", ResolvedTarget::kRefused, false, "", ""},
      {"browser!run.BAT", ResolvedTarget::kRefused, false, "", ""},
      {"tool", ResolvedTarget::kRefused, false, "", ""},
      {"javascript:alert(1)", ResolvedTarget::kRefused, false, "", ""},
      {"ftp://example.org/x", ResolvedTarget::kRefused, false, "", ""},
      {"   ", ResolvedTarget::kRefused, false, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target);
    const ResolvedTarget r = ResolveTrainingTarget(c.target, dir);
    EXPECT_EQ(r.kind, c.kind);
    EXPECT_EQ(r.viaBrowser, c.browser);
    if (c.kind == ResolvedTarget::kRefused) {
      EXPECT_FALSE(r.reason.empty());
      continue;
    }
    EXPECT_EQ(r.location, c.location);
    EXPECT_EQ(r.anchor, c.anchor);
  }
}

TEST(HelpOutline, AreasButtonsAndLayout) {
  std::string text = ">First\nOne\na.htm\nHeading\n\n";
  for (int i = 2; i <= 5; ++i) text += "B" + std::to_string(i) + "\nb.htm\n";
  text += ">Second\nLast\nc.htm\n";
  const HelpOutline o = ParseHelpOutline(Lines(text));
  ASSERT_EQ(o.AreaCount(), 2);
  EXPECT_EQ(o.areas[2], "Second");
  ASSERT_EQ(o.buttons.size(), 7u);
  EXPECT_EQ(o.buttons[1].caption, "Heading");
  EXPECT_EQ(o.buttons[1].target, "");
  EXPECT_EQ(o.buttons[6].area, 2);

  std::array<Integer, kMaxHelpAreas + 1> open{};
  // Every area folded: only the labels, one under the other.
  HelpLayout l = LayOutHelp(o, open);
  ASSERT_EQ(l.labels.size(), 2u);
  EXPECT_TRUE(l.buttons.empty());
  EXPECT_EQ(l.labels[0].top, 1800);
  EXPECT_EQ(l.labels[1].top, 2300);
  EXPECT_EQ(l.okTop, 2900);
  EXPECT_EQ(l.height, 3800);

  // The first area open: four buttons a row, the fifth on a new row at the
  // left, 780 twips lower; the next label below that row.
  open[1] = 1;
  l = LayOutHelp(o, open);
  ASSERT_EQ(l.buttons.size(), 6u);
  const int lefts[6] = {200, 3920, 7640, 11360, 200, 3920};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(l.buttons[static_cast<size_t>(i)].left, lefts[i]) << i;
  EXPECT_EQ(l.buttons[0].top, 2300);
  EXPECT_EQ(l.buttons[4].top, 2300 + 780);
  EXPECT_EQ(l.labels[1].top, 2300 + 2 * 780);
  EXPECT_EQ(l.height, 2300 + 2 * 780 + 500 + 1000);

  // Areas after the 160th are read past with their buttons.
  std::string many;
  for (int i = 1; i <= 161; ++i) many += ">A" + std::to_string(i) + "\nbutton\nx.htm\n";
  const HelpOutline big = ParseHelpOutline(Lines(many));
  EXPECT_EQ(big.AreaCount(), kMaxHelpAreas);
  EXPECT_EQ(big.buttons.size(), static_cast<size_t>(kMaxHelpAreas));
}

// ---- the shipped files ----

std::vector<std::string> DataLines(const char* name) {
  std::vector<std::string> lines;
  EXPECT_TRUE(ReadTextLines(std::string(ONDRIK_DATA_DIR) + "/" + name, lines)) << name;
  return lines;
}

// A shipped target opens one of the shipped help pages, at an anchor it has.
void ExpectShippedPage(const std::string& target) {
  SCOPED_TRACE(target);
  const ResolvedTarget r = ResolveTrainingTarget(target, ONDRIK_DATA_DIR);
  ASSERT_EQ(r.kind, ResolvedTarget::kDocument);
  EXPECT_FALSE(r.viaBrowser);
  std::ifstream in(r.location);
  ASSERT_TRUE(in.good()) << r.location;
  std::stringstream page;
  page << in.rdbuf();
  if (!r.anchor.empty()) {
    EXPECT_NE(page.str().find("id=\"" + r.anchor + "\""), std::string::npos);
  }
}

TEST(ShippedTraining, EveryTargetIsAShippedPage) {
  const TrainingIndex t = ParseTrainingIndex(DataLines("Ondrik.ref"));
  EXPECT_GT(t.TrainingCount, 0);
  EXPECT_EQ(t.entries[0].targets, "");
  for (int i = 1; i <= t.TrainingCount; ++i) {
    EXPECT_FALSE(t.entries[static_cast<size_t>(i)].targets.empty()) << t.entries[static_cast<size_t>(i)].topic;
    for (const std::string& target : SplitTargets(t.entries[static_cast<size_t>(i)].targets))
      ExpectShippedPage(target);
  }
  const HelpOutline o = ParseHelpOutline(DataLines("OndrikTraining.dat"));
  EXPECT_GT(o.AreaCount(), 0);
  EXPECT_LE(o.AreaCount(), kMaxHelpAreas);
  for (const HelpButtonRow& b : o.buttons) {
    EXPECT_GE(b.area, 1) << b.caption;
    if (!TrimBlanks(b.target).empty()) {
      ExpectShippedPage(b.target);
    }
  }
}

// The topics of string literals handed to OpenTrainingLinks in the sources.
std::set<std::string> LiteralTopicsInSources() {
  std::set<std::string> topics;
  const std::string call = "OpenTrainingLinks(\"";
  const fs::path root = fs::path(ONDRIK_DATA_DIR).parent_path();
  for (const char* dir : {"chart", "panels", "profilewindow", "overview", "overviewwindow"}) {
    if (!fs::exists(root / dir)) continue;
    for (const auto& f : fs::directory_iterator(root / dir)) {
      std::ifstream in(f.path());
      std::stringstream text;
      text << in.rdbuf();
      const std::string s = text.str();
      for (auto at = s.find(call); at != std::string::npos; at = s.find(call, at + 1)) {
        const auto from = at + call.size();
        const auto end = s.find('"', from);
        if (end != std::string::npos && s.compare(end, 2, "\")") == 0) topics.insert(s.substr(from, end - from));
      }
    }
  }
  return topics;
}

TEST(ShippedTraining, EveryTopicHandedOverHasAnEntry) {
  const TrainingIndex t = ParseTrainingIndex(DataLines("Ondrik.ref"));
  std::set<std::string> topics;
  for (const ChartBoxRow& row : frmProfile::ChartBoxes())
    if (row.topic[0] != '\0') topics.insert(row.topic);
  for (const auto& table : {SidePanelTable(), ControlPageTable()}) {
    for (const PanelEntry& e : table) {
      if (!e.topic.empty()) topics.insert(e.topic);
      for (const TopicControl& c : e.topicControls) topics.insert(c.topic);
    }
  }
  const std::set<std::string> literals = LiteralTopicsInSources();
  EXPECT_TRUE(literals.count("Profile")) << "the chart's click";
  topics.insert(literals.begin(), literals.end());
  // The topics of the windows still to come, as listed beside the help pages.
  std::vector<std::string> listed;
  ASSERT_TRUE(ReadTextLines(std::string(ONDRIK_DATA_DIR) + "/../tools/help/topics.txt", listed));
  for (const std::string& line : listed)
    if (!TrimBlanks(line).empty()) topics.insert(line.substr(0, line.find('\t')));
  for (const std::string& topic : topics) EXPECT_NE(t.Find(TrainingTopicKey(topic)), nullptr) << topic;
}

}  // namespace
}  // namespace ondrik
