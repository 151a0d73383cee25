#include "render/problem_text_table.h"

#include <gtest/gtest.h>

namespace render {
namespace {

TEST(problem_text_table_test, texts_are_cut_to_sixteen_bytes) {
  ProblemText text;
  EXPECT_EQ(text.View(), "");
  text.Assign("0123456789abcdefXYZ");
  EXPECT_EQ(text.View(), "0123456789abcdef");
  // The cut is on bytes, even through a two-byte character.
  text.Assign("012345678901234\x81\x7e");
  EXPECT_EQ(text.View(), "012345678901234\x81");
  text.Assign("short");
  EXPECT_EQ(text.View(), "short");

  ProblemTextTable table;
  table[1].Assign("first");
  table[80].Assign("last");
  EXPECT_EQ(table[1].View(), "first");
  EXPECT_EQ(table[80].View(), "last");
  EXPECT_EQ(table[2].View(), "");
}

}  // namespace
}  // namespace render
