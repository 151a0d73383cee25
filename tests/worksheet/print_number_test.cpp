#include "worksheet/print_number.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <random>
#include <regex>
#include <string>

#include "cp932.h"

namespace worksheet {
namespace {

using test_support::Cp932;

TEST(print_number_test, decimal_and_hexadecimal) {
  EXPECT_EQ(ReadPrintNumber("7"), 7);
  EXPECT_EQ(ReadPrintNumber(" 12"), 12);
  EXPECT_EQ(ReadPrintNumber("   -12"), -12);
  EXPECT_EQ(ReadPrintNumber("+0012"), 12);
  EXPECT_EQ(ReadPrintNumber("-0"), 0);
  EXPECT_EQ(ReadPrintNumber("2147483647"), INT_MAX);
  EXPECT_EQ(ReadPrintNumber("-2147483648"), INT_MIN);
  EXPECT_EQ(ReadPrintNumber("$1F"), 31);
  EXPECT_EQ(ReadPrintNumber("x1f"), 31);
  EXPECT_EQ(ReadPrintNumber("X1F"), 31);
  EXPECT_EQ(ReadPrintNumber("0x1F"), 31);
  EXPECT_EQ(ReadPrintNumber(" 0X7fffffff"), INT_MAX);
  EXPECT_EQ(ReadPrintNumber("$FFFFFFFF"), -1);
  EXPECT_EQ(ReadPrintNumber("$80000000"), INT_MIN);
  EXPECT_EQ(ReadPrintNumber("$0000000000FF"), 255);  // leading zeros do not count
}

TEST(print_number_test, everything_else_is_not_a_number) {
  for (const std::string& text : std::vector<std::string>{"",
                                                          " ",
                                                          "12 ",
                                                          "-$1F",
                                                          "+$1F",
                                                          "-0x1F",
                                                          "$",
                                                          "0x",
                                                          "x",
                                                          "+",
                                                          "-",
                                                          "1 2",
                                                          "1e3",
                                                          "0x1G",
                                                          "$100000000",
                                                          "2147483648",
                                                          "-2147483649",
                                                          "99999999999999999999",
                                                          "\t12",
                                                          "12\n",
                                                          std::string("1\0"
                                                                      "2",
                                                                      3)}) {
    EXPECT_EQ(ReadPrintNumber(text), std::nullopt) << '"' << text << '"';
  }
  // Full-width digits and spaces are not ASCII.
  EXPECT_EQ(ReadPrintNumber(Cp932("１２")), std::nullopt);
  EXPECT_EQ(ReadPrintNumber(Cp932("　12")), std::nullopt);
}

TEST(print_number_test, message_carries_the_text_as_it_is) {
  EXPECT_EQ(NotAnIntegerMessage("12 "), Cp932("'12 ' は整数ではありません"));
  EXPECT_EQ(NotAnIntegerMessage("%s%n%d"), Cp932("'%s%n%d' は整数ではありません"));
  EXPECT_EQ(NotAnIntegerMessage(""), Cp932("'' は整数ではありません"));
}

TEST(print_number_test, next_number_wraps_after_the_largest) {
  EXPECT_EQ(NextPrintNumber(7), 8);
  EXPECT_EQ(NextPrintNumber(-1), 0);
  EXPECT_EQ(NextPrintNumber(INT_MAX), INT_MIN);
}

// A plain model of the grammar, by regular expressions and the C library.
std::optional<std::int32_t> Model(const std::string& text) {
  static const std::regex decimal("^ *([+-]?)0*([0-9]+)$");
  static const std::regex hexadecimal("^ *(?:\\$|x|X|0x|0X)([0-9A-Fa-f]+)$");
  std::smatch match;
  if (std::regex_match(text, match, decimal)) {
    const std::string digits = match[2];
    if (digits.size() > 10) return std::nullopt;
    long long value = std::stoll(digits);
    if (match[1] == "-") value = -value;
    if (value < INT_MIN || value > INT_MAX) return std::nullopt;
    return static_cast<std::int32_t>(value);
  }
  if (std::regex_match(text, match, hexadecimal)) {
    std::string digits = match[1];
    digits.erase(0, digits.find_first_not_of('0'));
    if (digits.size() > 8) return std::nullopt;
    if (digits.empty()) return 0;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(std::stoul(digits, nullptr, 16)));
  }
  return std::nullopt;
}

TEST(print_number_test, agrees_with_a_model_on_generated_texts) {
  const std::vector<std::string> pieces = {
      " ",           "+",         "-",          "$",          "x",        "X",
      "0x",          "0X",        "0",          "1",          "7",        "9",
      "a",           "F",         "g",          "00",         "\t",       ".",
      "%",           "e",         "2147483647", "2147483648", "FFFFFFFF", "100000000",
      "-2147483648", Cp932("１"), Cp932("　"),  "\x81",       "%s%n"};
  std::mt19937 random(20261207);
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  std::uniform_int_distribution<int> length(0, 5);
  int numbers = 0;
  for (int i = 0; i < 200000; ++i) {
    std::string text;
    for (int n = length(random); n > 0; --n) text += pieces[pick(random)];
    const auto expected = Model(text);
    ASSERT_EQ(ReadPrintNumber(text), expected) << '"' << text << '"';
    numbers += expected ? 1 : 0;
  }
  // The generated texts hit both answers often.
  EXPECT_GT(numbers, 10000);
  EXPECT_LT(numbers, 190000);
}

}  // namespace
}  // namespace worksheet
