#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "savedstate/format.h"

namespace ondrik::saved {
namespace {

TEST(SavedFormat, FolderAndFileNames) {
  const struct {
    std::map<std::string, std::string> env;
    const char* folder;
  } cases[] = {
      {{{"APPDATA", "/a/AppData"}, {"XDG_DATA_HOME", "/x"}, {"HOME", "/h"}}, "/a/AppData/Ondrik/"},
      {{{"APPDATA", "/a/"}}, "/a/Ondrik/"},
      {{{"XDG_DATA_HOME", "/x/data"}, {"HOME", "/h"}}, "/x/data/Ondrik/"},
      {{{"HOME", "/home/me"}}, "/home/me/.local/share/Ondrik/"},
  };
  for (const auto& c : cases) {
    const auto get = [&](const char* name) {
      const auto it = c.env.find(name);
      return it == c.env.end() ? std::string() : it->second;
    };
    EXPECT_EQ(FolderFor(get), c.folder);
  }
  EXPECT_STREQ(kHistoryFileName, "Ondrik.hst");
  EXPECT_EQ(SetupFileName(3), "Ondrik.SP3");
  EXPECT_EQ(LayoutFileName(8), "Ondrik.SO8");
  EXPECT_EQ(LayoutFileName(12), "Ondrik.SO12");
  EXPECT_EQ(MapPresetFileName(0), "MapPreset.M0");
}

TEST(SavedFormat, VersionsAndHeaders) {
  EXPECT_EQ(NormaliseVersion("13.4.2"), "13.04.02");
  EXPECT_EQ(NormaliseVersion("11.11.6"), "11.11.06");
  EXPECT_EQ(NormaliseVersion("100.0.0"), "100.00.00");
  EXPECT_EQ(NormaliseVersion(""), "00");
  EXPECT_EQ(NormaliseVersion("12b.x"), "12.00");

  const struct {
    const char* line;
    HeaderCheck check;
  } headers[] = {
      {"#    13.4.2", HeaderCheck::Accepted},
      {"#11.11.6", HeaderCheck::Accepted},  // blanks optional; the minimum itself is not older
      {"#  11.12.0", HeaderCheck::Accepted},
      {"#  12", HeaderCheck::Accepted},
      {"# 13.4.2  ", HeaderCheck::Accepted},
      // Compared as numbers, part by part: a newer version with a part of
      // three digits is accepted (compared as text it would sort before 11).
      {"#    100.0.0", HeaderCheck::Accepted},
      {"#    11.100", HeaderCheck::Accepted},
      {"#    11.11.5", HeaderCheck::TooOld},
      {"#    9.9.9", HeaderCheck::TooOld},
      {"#    10.12.30", HeaderCheck::TooOld},
      {"#    11.11", HeaderCheck::TooOld},
      {"#", HeaderCheck::TooOld},  // an empty version
      {" #13.4.2", HeaderCheck::NotAHeader},
      {"13.4.2", HeaderCheck::NotAHeader},
      {"", HeaderCheck::NotAHeader},
  };
  for (const auto& h : headers) EXPECT_EQ(CheckHeader(h.line), h.check) << '"' << h.line << '"';
  EXPECT_GT(CompareVersions("11.11.10", "11.11.9"), 0);
  EXPECT_EQ(CompareVersions("12.0", "12"), 0);
}

// Every value of a text as the reader sees it; a Flag-like field is read as
// text when its position is in textAt.
std::vector<std::string> Fields(const std::string& text, std::vector<int> textAt = {}) {
  FieldReader in(text);
  std::vector<std::string> out;
  for (int i = 0;; ++i) {
    const bool asText = std::find(textAt.begin(), textAt.end(), i) != textAt.end();
    const auto f = asText ? in.Text() : in.Number();
    if (!f) return out;
    out.push_back(f->text);
  }
}

TEST(SavedFormat, TolerantReading) {
  using V = std::vector<std::string>;
  // Print zones, single blanks, commas, CR LF, LF, CR and values split over
  // lines all give the same values.
  const V values{"1", "10", "-.4", "2000"};
  for (const char* text : {" 1             10 \r\n-.4  2000 \r\n", " 1 10 -.4 2000\n", "1,10,-.4,2000",
                           "1, 10 ,\r\n-.4,\n\n  2000", "1\r10\r-.4\r2000\r", "\t1\t10\r\n\r\n-.4\r\n 2000 "}) {
    EXPECT_EQ(Fields(text), values) << text;
  }
  // Texts end at a comma or a line end, not at a blank; quotes hold a value
  // as the old file statements wrote it.
  EXPECT_EQ(Fields(" 1             1            True\r\n", {2}), (V{"1", "1", "True"}));
  EXPECT_EQ(Fields("True  , False\r\ntrue", {0, 1, 2}), (V{"True", "False", "true"}));
  EXPECT_EQ(Fields("\"True\",\"a, b\" ,3", {0, 1}), (V{"True", "a, b", "3"}));
  // Two commas in a row hold an empty value.
  EXPECT_EQ(Fields("1,,3"), (V{"1", "", "3"}));

  // The header line is read whole, then values go on from the next line.
  FieldReader in("#    13.4.2\r\n 34 \r\n");
  EXPECT_EQ(in.Line(), "#    13.4.2");
  EXPECT_EQ(in.Number()->text, "34");
  EXPECT_FALSE(in.Number());

  // A value that the text ends in may be cut short; one followed by a blank
  // or a line end is whole.
  FieldReader cut(" 12 34");
  EXPECT_FALSE(cut.Number()->atEnd);
  EXPECT_TRUE(cut.Number()->atEnd);
}

TEST(SavedFormat, NumberFields) {
  const struct {
    const char* text;
    std::optional<double> value;
  } cases[] = {
      {"34", 34},   {"-1", -1},   {"+7", 7},      {".5", 0.5},   {"-.4", -0.4}, {"3.", 3},
      {"1.5E+08", 1.5e8},         {"2e-3", 2e-3}, {"1D2", 100},  {"", {}},      {"-", {}},
      {".", {}},    {"1e", {}},   {"12abc", {}},  {"abc", {}},   {"1.2.3", {}}, {"NaN", {}},
      {"inf", {}},  {"1e999", {}}, {"0x10", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseNumber(c.text), c.value) << '"' << c.text << '"';
}

}  // namespace
}  // namespace ondrik::saved
