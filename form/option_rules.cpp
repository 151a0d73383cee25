#include "form/option_rules.h"

#include "worksheet/question_count.h"

namespace form {

unsigned DanClick(OptionState& state, int table, bool ticked) {
  unsigned changed = kNothingChanged;
  const worksheet::TableMask before = state.tables;
  if (ticked) {
    state.tables.Set(table);
  } else {
    if (state.ImportantDan == table) {
      state.ImportantDan = worksheet::kNoEmphasisTable;
      changed |= kEmphasisChanged;
    }
    state.tables.Clear(table);
  }
  if (state.tables != before) changed |= kTablesChanged;
  const bool anyTicked = state.tables.Count() > 0;
  if (state.QNumCheckEnabled != anyTicked || state.PreviewEnabled != anyTicked) {
    state.QNumCheckEnabled = anyTicked;
    state.PreviewEnabled = anyTicked;
    changed |= kEnabledChanged;
  }
  return changed;
}

unsigned ImportantDanClick(OptionState& state, int table) {
  if (table < 0 || table >= worksheet::kTableCount) return kNothingChanged;
  unsigned changed = kNothingChanged;
  if (state.ImportantDan != table) {
    state.ImportantDan = table;
    changed |= kEmphasisChanged;
  }
  if (!state.tables.Test(table)) changed |= DanClick(state, table, true);
  return changed;
}

unsigned QNumCheckClick(OptionState& state, int index) {
  if (index == state.QNumCheck || !worksheet::IsQuestionCountIndex(index)) return kNothingChanged;
  state.QNumCheck = index;
  const bool allowed = worksheet::ZeroMultiplierAllowed(index);
  const std::int32_t zero = allowed ? state.JousuuCheck : worksheet::kZeroExcluded;
  if (state.JousuuCheckEnabled == allowed && state.JousuuCheck == zero) return kNothingChanged;
  state.JousuuCheckEnabled = allowed;
  state.JousuuCheck = zero;
  return kZeroChoiceChanged;
}

unsigned rgSquareEnter(OptionState& state) {
  if (state.rgMulti == worksheet::kFactorAsIs) return kNothingChanged;
  state.rgMulti = worksheet::kFactorAsIs;
  return kFactorScaleSetBack;
}

unsigned rgMultiEnter(OptionState& state) {
  if (state.rgSquare == worksheet::kNoBlankBox) return kNothingChanged;
  state.rgSquare = worksheet::kNoBlankBox;
  return kBlankBoxSetBack;
}

worksheet::WorksheetSettings SheetSettings(const OptionState& state) {
  worksheet::WorksheetSettings settings;
  settings.TableMask = state.tables;
  settings.ImportantDan = state.ImportantDan;
  settings.JousuuCheck = state.JousuuCheck;
  settings.QNumCheck = state.QNumCheck;
  settings.RandomCheck = state.RandomCheck;
  return settings;
}

}  // namespace form
