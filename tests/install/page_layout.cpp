// Prints where MakePrint puts each text of a question sheet on the printable
// area of the default printer, as Windows gives it (HORZRES × VERTRES device
// pixels), one "x y cell-height text" line per text in drawing order, texts
// in UTF-8: what a printed page must show.
//   page_layout NUMBER TABLE
// The sheet: the nine questions of TABLE in ascending order, numbered NUMBER.

#include <cstdio>
#include <cstdlib>

#include "cp932.h"
#include "recording_surface.h"
#include "render/make_print.h"
#include "worksheet/make_problems.h"
#include "worksheet/question_count.h"

#include <windows.h>
// The surface's TextOut, not Windows' macro.
#undef TextOut

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: page_layout NUMBER TABLE\n", stderr);
    return 2;
  }
  wchar_t printer[256];
  DWORD length = 256;
  if (!GetDefaultPrinterW(printer, &length)) return 1;
  HDC dc = CreateICW(L"WINSPOOL", printer, nullptr, nullptr);
  if (dc == nullptr) return 1;
  const int width = GetDeviceCaps(dc, HORZRES);
  const int height = GetDeviceCaps(dc, VERTRES);
  DeleteDC(dc);
  std::fprintf(stderr, "printable area %d x %d\n", width, height);

  worksheet::WorksheetSettings settings;
  settings.TableMask.Set(std::atoi(argv[2]));
  worksheet::RandomSource random(0);
  worksheet::Sheet sheet;
  if (!worksheet::MakeProblems(settings, random, sheet.problems, sheet.blankSides).made) return 1;
  sheet.count = worksheet::QuestionCount(settings.QNumCheck);
  sheet.countOption = settings.QNumCheck;

  test_support::RecordingSurface surface;
  render::ProblemTextTable texts;
  render::MakePrint(surface, width, height, render::kQuestionSheet, {sheet, std::atoi(argv[1]), {}},
                    texts);
  int cell = 0;
  for (const auto& op : surface.Operations()) {
    using Kind = test_support::RecordingSurface::Kind;
    if (op.kind == Kind::FontHeight) cell = op.a;
    if (op.kind == Kind::TextOut) {
      std::printf("%d %d %d %s\n", op.a, op.b, cell, test_support::Utf8FromCp932(op.text).c_str());
    }
  }
  return 0;
}
