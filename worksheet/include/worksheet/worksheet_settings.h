#pragma once

#include <cstdint>

#include "worksheet/table_mask.h"

namespace worksheet {

// The values of the option groups. Each field of WorksheetSettings holds the
// chosen index of the control it is named after.
inline constexpr std::int32_t kNoEmphasisTable = -1;  // ImportantDan: none chosen

enum ZeroMultiplier : std::int32_t {  // JousuuCheck "乗数に０を"
  kZeroExcluded = 0,                  // "入れない"
  kZeroIncluded = 1,                  // "入れる"
};

enum QuestionOrder : std::int32_t {  // RandomCheck "ﾗﾝﾀﾞﾑ指定"
  kAscending = 0,                    // "昇順"
  kDescending = 1,                   // "降順"
  kRandomOrder = 2,                  // "あり"
};

enum FactorScale : std::int32_t {  // rgMulti "何十、何百の指定"
  kFactorAsIs = 0,                 // "なし"
  kTableTimesTen = 1,              // "×10"
  kTableTimesHundred = 2,          // "×100"
};

enum BlankBoxPattern : std::int32_t {  // rgSquare "[ ]のパターン"
  kNoBlankBox = 0,                     // "なし"
  kBlankTable = 1,                     // "[ ]×"
  kBlankMultiplier = 2,                // "×[ ]"
  kBlankMixed = 3,                     // "混合"
};

enum Numbering : std::int32_t {  // rgNum "問題番号"
  kUnnumbered = 0,               // "なし"
  kNumbered = 1,                 // "あり"
};

// Every option of one generation or drawing, as the main window holds them.
struct WorksheetSettings {
  worksheet::TableMask TableMask;                // tables ticked in "段"
  std::int32_t ImportantDan = kNoEmphasisTable;  // emphasis table, or -1
  std::int32_t JousuuCheck = kZeroExcluded;
  std::int32_t QNumCheck = 0;  // QuestionCountOption index, "　９問"
  std::int32_t RandomCheck = kAscending;
  std::int32_t rgMulti = kFactorAsIs;
  std::int32_t rgSquare = kNoBlankBox;
  std::int32_t rgNum = kUnnumbered;
  std::int32_t PrintNumber = 1;  // "ﾌﾟﾘﾝﾄ番号"
};

}  // namespace worksheet
