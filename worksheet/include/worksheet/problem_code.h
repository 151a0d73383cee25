#pragma once

#include <cstdint>

namespace worksheet {

// One question: table × 10 + multiplier. The table is the left factor, the
// multiplier the right one: 7×8 is 78, 0×5 is 5, 3×0 is 30, 0×0 is 0.
using ProblemCode = std::int32_t;

inline constexpr int kTableCount = 10;
inline constexpr ProblemCode kProblemCodeCount = 100;

constexpr ProblemCode MakeCode(int table, int multiplier) {
  return table * 10 + multiplier;
}
constexpr int TableOf(ProblemCode code) {
  return code / 10;
}
constexpr int MultiplierOf(ProblemCode code) {
  return code % 10;
}
constexpr int AnswerOf(ProblemCode code) {
  return TableOf(code) * MultiplierOf(code);
}

}  // namespace worksheet
