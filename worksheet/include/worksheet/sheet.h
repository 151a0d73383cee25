#pragma once

#include "worksheet/problem_list.h"

namespace worksheet {

// A made sheet: its questions and their coin flips in slots 1 to count, the
// question count N and the count option (QNumCheck index) that gave it. The
// count option also decides the page layout and the question numbering.
struct Sheet {
  ProblemList problems;
  BlankSideFlags blankSides;
  int count = 0;
  int countOption = 0;
};

}  // namespace worksheet
