// The profile file's tokenizer: items, separators and line ends.
#include "core/reader.h"

#include <gtest/gtest.h>

namespace ondrik {
namespace {

TEST(ProfileTokenizer, ItemsSeparatorsAndLineEnds) {
  {
    // Name-value groups: the name and "=" read 0; a line end right after an
    // item goes with it, so the next line read is the following line.
    ProfileTokenizer in("SLAT = 41.98 SLON = -87.90\nnext line\n");
    EXPECT_EQ(in.ReadNumber(), 0.0f);
    EXPECT_EQ(in.ReadNumber(), 0.0f);
    EXPECT_FLOAT_EQ(in.ReadNumber(), 41.98f);
    EXPECT_EQ(in.ReadNumber(), 0.0f);
    EXPECT_EQ(in.ReadNumber(), 0.0f);
    EXPECT_FLOAT_EQ(in.ReadNumber(), -87.9f);
    EXPECT_EQ(in.ReadLine(), "next line");
    EXPECT_TRUE(in.AtEnd());
    EXPECT_THROW(in.ReadNumber(), ProfileReadError);
    EXPECT_THROW(in.ReadLine(), ProfileReadError);
  }
  {
    // Commas, tabs, trailing blanks, an empty line and CRLF line ends.
    ProfileTokenizer in("1,2.5e1\t-3 \r\n\r\n   \r\n.5,x7,1e2x\r\nlast");
    EXPECT_EQ(in.ReadNumber(), 1.0f);
    EXPECT_EQ(in.ReadNumber(), 25.0f);
    EXPECT_EQ(in.LineNumber(), 1);
    EXPECT_EQ(in.ReadNumber(), -3.0f);
    EXPECT_EQ(in.LineNumber(), 1);
    EXPECT_EQ(in.ReadNumber(), 0.0f);  // empty line
    EXPECT_EQ(in.ReadNumber(), 0.0f);  // blank line
    EXPECT_EQ(in.LineNumber(), 3);
    EXPECT_EQ(in.ReadNumber(), 0.5f);
    EXPECT_EQ(in.ReadNumber(), 0.0f);  // "x7" is not a number
    EXPECT_EQ(in.ReadNumber(), 0.0f);  // nor is "1e2x"
    EXPECT_EQ(in.ReadLine(), "last");   // no line end at the end of the file
    EXPECT_TRUE(in.AtEnd());
  }
  {
    // A line read keeps the rest of a line; a lone CR ends a line too.
    ProfileTokenizer in("12 rest of line\rsecond\n\n");
    EXPECT_EQ(in.ReadNumber(), 12.0f);
    EXPECT_EQ(in.ReadLine(), "rest of line");
    EXPECT_EQ(in.ReadLine(), "second");
    EXPECT_FALSE(in.AtEnd());
    EXPECT_TRUE(in.OnlyBlankLeft());
    EXPECT_EQ(in.ReadLine(), "");
    EXPECT_TRUE(in.AtEnd());
  }
  Single v = 1;
  EXPECT_TRUE(ParseNumber("-0.0008", v));
  EXPECT_FLOAT_EQ(v, -0.0008f);
  EXPECT_TRUE(ParseNumber("1.838826904E-10", v));
  EXPECT_FLOAT_EQ(v, 1.838826904e-10f);
  EXPECT_FALSE(ParseNumber("1e999", v));  // beyond a Single: not a number
  EXPECT_EQ(v, 0.0f);
  EXPECT_FALSE(ParseNumber("nan", v));
  EXPECT_FALSE(ParseNumber("-", v));
  EXPECT_FALSE(ParseNumber("", v));
}

}  // namespace
}  // namespace ondrik
