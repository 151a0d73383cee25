#pragma once

// The questions of a new sheet.
//
// MakeProblems clears both lists, then fills slots 1 to N of the ProblemList:
//   - with whole tables (multipliers 1 to 9, tables ascending) when the chosen
//     tables divide N into exactly nine questions each; nothing is drawn;
//   - otherwise at random, slot by slot, from the codes the options allow,
//     each code at most once. An emphasis table first takes one slot for each
//     of its multipliers; the random slots then avoid that table.
// It then sorts slots 1 to N (ascending or descending) or shuffles them, and
// last draws one coin flip per question into the BlankSideFlags.
//
// The draws come from the RandomSource in this order: the fill, slot by slot;
// N draws for the shuffle (random order only); N coin flips. The same
// generator state and settings therefore always give the same sheet.
//
// A count that the chosen tables cannot fill without repeating a question is
// refused: no draw is made and both lists stay cleared.

#include <string_view>

#include "worksheet/problem_list.h"
#include "worksheet/random_source.h"
#include "worksheet/worksheet_settings.h"

namespace worksheet {

// "今の段の数では、指定された問題数が確保できません。" in code page 932.
inline constexpr std::string_view kRefusalMessage =
    "\x8d\xa1\x82\xcc\x92\x69\x82\xcc\x90\x94\x82\xc5\x82\xcd\x81\x41\x8e\x77\x92\xe8\x82\xb3"
    "\x82\xea\x82\xbd\x96\xe2\x91\xe8\x90\x94\x82\xaa\x8a\x6d\x95\xdb\x82\xc5\x82\xab\x82\xdc"
    "\x82\xb9\x82\xf1\x81\x42";

struct GenerationResult {
  bool made = false;
  std::string_view refusal;  // the message to show when not made (code page 932)
};

// Reads TableMask, ImportantDan, JousuuCheck, QNumCheck and RandomCheck.
// Settings that the main window cannot produce (no table chosen, an index out
// of range, an emphasis table that is not chosen) are refused like a count
// that cannot be met, without drawing.
GenerationResult MakeProblems(const WorksheetSettings& settings, RandomSource& random,
                              ProblemList& problems, BlankSideFlags& blankSides);

}  // namespace worksheet
