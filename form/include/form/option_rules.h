#pragma once

// The rules between the options of a sheet, as plain data: the window and
// the web page both hold an OptionState, hand every user action to one of
// these functions and then show the state. Each function answers which
// fields it changed, so that a front end updates only those controls and
// tells a screen reader of a choice it set back.

#include <cstdint>

#include "worksheet/table_mask.h"
#include "worksheet/worksheet_settings.h"

namespace form {

// Every option control's value, and whether the controls the rules switch
// are enabled. Starts as the window starts.
struct OptionState {
  worksheet::TableMask tables;  // D0..D9 ticked
  std::int32_t ImportantDan = worksheet::kNoEmphasisTable;
  std::int32_t QNumCheck = 0;
  std::int32_t JousuuCheck = worksheet::kZeroExcluded;
  std::int32_t RandomCheck = worksheet::kAscending;
  std::int32_t rgSquare = worksheet::kNoBlankBox;
  std::int32_t rgMulti = worksheet::kFactorAsIs;
  std::int32_t rgNum = worksheet::kUnnumbered;
  bool QNumCheckEnabled = false;
  bool JousuuCheckEnabled = true;
  bool PreviewEnabled = false;
  bool PrintEnabled = false;  // set by the first sheet made; never cleared
};

// What one rule changed: a set of these bits.
enum Changed : unsigned {
  kNothingChanged = 0,
  kTablesChanged = 1u << 0,
  kEmphasisChanged = 1u << 1,
  kZeroChoiceChanged = 1u << 2,   // JousuuCheck's value or enabled state
  kEnabledChanged = 1u << 3,      // QNumCheck or PreviewEnabled
  kBlankBoxSetBack = 1u << 4,     // rgSquare back to なし
  kFactorScaleSetBack = 1u << 5,  // rgMulti back to なし
};

// Table box k ticked or unticked by the user (DanClick): the mask follows;
// unticking the emphasis table clears the emphasis; the count and the
// preview are enabled while any table is ticked.
unsigned DanClick(OptionState& state, int table, bool ticked);

// An emphasis table chosen (ImportantDanClick): it is also ticked, as by a
// click on its box.
unsigned ImportantDanClick(OptionState& state, int table);

// A question count chosen (QNumCheckClick): the multiples of ten enable the
// multiplier 0; the multiples of nine set it to 入れない and disable it.
// Choosing the count already chosen changes nothing.
unsigned QNumCheckClick(OptionState& state, int index);

// The user enters rgSquare (a click or an arrow key into it, not Tab passing
// by): rgMulti goes back to なし. rgMultiEnter is the mirror.
unsigned rgSquareEnter(OptionState& state);
unsigned rgMultiEnter(OptionState& state);

// The options MakeProblems reads (the drawing options and the number are
// read at each drawing).
worksheet::WorksheetSettings SheetSettings(const OptionState& state);

}  // namespace form
