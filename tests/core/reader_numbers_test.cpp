// The tokenizer's quick road for plain numbers against the general parser.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "core/reader.h"

namespace ondrik {
namespace {

// The items, read in one run by the tokenizer, give the general parser's
// Single for each, bit for bit.
void ExpectReadAsTheGeneralParserReadsThem(const std::vector<std::string>& items) {
  std::string text;
  for (std::size_t k = 0; k < items.size(); ++k) text += items[k] + (k % 9 == 8 ? "\n" : " ");

  std::vector<Single> read(items.size());
  ProfileTokenizer in(text);
  in.ReadNumbers(read);
  for (std::size_t k = 0; k < items.size(); ++k) {
    Single expected = -1;
    ASSERT_TRUE(ParseNumber(items[k], expected)) << items[k];
    EXPECT_EQ(std::bit_cast<std::uint32_t>(read[k]), std::bit_cast<std::uint32_t>(expected))
        << items[k] << ": " << read[k] << " vs " << expected;
  }
}

// Every plain number of the shapes the files hold (up to five digits with up
// to four of them decimals, either sign) and the longer ones around the
// limits of the quick road reads as the same Single as the general parser
// gives, bit for bit.
TEST(ProfileTokenizer, PlainNumbersReadAsTheGeneralParserReadsThem) {
  std::vector<std::string> items;
  for (int m = 0; m < 100000; m += (m < 2000 ? 1 : 7)) {
    std::string digits = std::to_string(m);
    for (std::size_t decimals = 0; decimals <= 4 && decimals <= digits.size(); ++decimals) {
      std::string item = digits;
      if (decimals > 0) item.insert(item.size() - decimals, ".");
      items.push_back(item);
      items.push_back("-" + item);
    }
  }
  for (const char* item : {"16777215", "16777216", "16777217", "1677721.7", "16777.219", "167772.17",
                           "0.0000000001", "0.00000000001", "1.0000000001", "1234567.891", "9999999999",
                           "12345678901234567", "-0", "-0.000", "+7.5", ".5", "5.", "00012.50"}) {
    items.push_back(item);
  }
  ExpectReadAsTheGeneralParserReadsThem(items);
}

// Mantissas up to the quick road's limit of 2^24 and just past it, with one
// to ten decimals: the small ones all, the largest ones all, and a spread of
// others between.
TEST(ProfileTokenizer, LongDecimalsReadAsTheGeneralParserReadsThem) {
  constexpr std::uint32_t kLimit = 1u << 24;
  std::vector<std::uint32_t> mantissas;
  for (std::uint32_t m = 0; m < 20000; ++m) mantissas.push_back(m);
  for (std::uint32_t m = kLimit - 20000; m < kLimit + 3; ++m) mantissas.push_back(m);
  std::uint32_t x = 12345;
  for (int k = 0; k < 20000; ++k) {
    x = x * 1664525u + 1013904223u;
    mantissas.push_back(x >> 8);  // below 2^24
  }
  std::vector<std::string> items;
  for (const std::uint32_t m : mantissas) {
    const std::string digits = std::to_string(m);
    for (std::size_t decimals = 1; decimals <= 10; ++decimals) {
      std::string item = std::string(decimals >= digits.size() ? decimals - digits.size() + 1 : 0, '0') + digits;
      item.insert(item.size() - decimals, ".");
      items.push_back(m % 2 == 0 ? item : "-" + item);
    }
  }
  ExpectReadAsTheGeneralParserReadsThem(items);
}

}  // namespace
}  // namespace ondrik
