// Where the desktop puts each text of a sheet on paper, for the web page's
// print test:
//   sheet_positions --seed S --tables 2,3,7 --count 5 [--emphasis K]
//       [--zero 0|1] [--order 0|1|2] [--square 0..3] [--multi 0..2]
//       [--num 0|1] [--number N] --paper-pt WIDTH HEIGHT
// makes the sheet as the first preview after a start with that seed does,
// and prints "page x y height text" for every TextOut of the question sheet
// (page 1) and of the answer sheet (page 2): x, y the top-left corner of the
// text cell and height its cell height, in points, text in UTF-8. The page is
// handed to MakePrint in hundredths of a point, finer than any printer.

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

#include "cp932.h"
#include "form/sheet_session.h"
#include "recording_surface.h"

namespace {

constexpr double kUnitsPerPoint = 100.0;

int Int(std::string_view text) {
  int value = 0;
  if (std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc()) {
    std::fprintf(stderr, "not a number: %.*s\n", static_cast<int>(text.size()), text.data());
    std::exit(2);
  }
  return value;
}

}  // namespace

int main(int argc, char** argv) {
  std::map<std::string_view, std::string_view> args;
  double paperWidth = 0;
  double paperHeight = 0;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string_view key = argv[i];
    if (key == "--paper-pt" && i + 2 < argc) {
      paperWidth = std::atof(argv[i + 1]);
      paperHeight = std::atof(argv[i + 2]);
      ++i;
    } else {
      args[key] = argv[i + 1];
    }
  }
  const auto option = [&args](std::string_view key, int fallback) {
    const auto found = args.find(key);
    return found == args.end() ? fallback : Int(found->second);
  };
  if (paperWidth <= 0 || paperHeight <= 0 || !args.contains("--seed") ||
      !args.contains("--tables")) {
    std::fprintf(stderr, "usage: see the comment at the top of sheet_positions.cpp\n");
    return 2;
  }

  // The options as the window holds them, and its first preview.
  form::OptionState options;
  for (std::string_view tables = args["--tables"]; !tables.empty();) {
    const std::size_t comma = tables.find(',');
    options.tables.Set(Int(tables.substr(0, comma)));
    tables = comma == std::string_view::npos ? std::string_view() : tables.substr(comma + 1);
  }
  options.ImportantDan = option("--emphasis", worksheet::kNoEmphasisTable);
  options.QNumCheck = option("--count", 0);
  options.JousuuCheck = option("--zero", worksheet::kZeroExcluded);
  options.RandomCheck = option("--order", worksheet::kAscending);
  options.rgSquare = option("--square", 0);
  options.rgMulti = option("--multi", 0);
  options.rgNum = option("--num", 0);
  form::SheetSession session(
      worksheet::RandomSource(static_cast<std::uint32_t>(option("--seed", 0))));
  const std::string_view number = args.contains("--number") ? args["--number"] : "1";
  if (session.Preview(options, number).kind != form::CommandAnswer::kDone) {
    std::fprintf(stderr, "the sheet is refused\n");
    return 1;
  }

  for (const int drawMode : {render::kQuestionSheet, render::kAnswerSheet}) {
    test_support::RecordingSurface surface;
    session.Draw(surface, static_cast<int>(std::lround(paperWidth * kUnitsPerPoint)),
                 static_cast<int>(std::lround(paperHeight * kUnitsPerPoint)), drawMode, options);
    int height = 0;
    for (const auto& op : surface.Operations()) {
      using Kind = test_support::RecordingSurface::Kind;
      if (op.kind == Kind::FontHeight) height = op.a;
      if (op.kind != Kind::TextOut) continue;
      std::printf("%d %.2f %.2f %.2f %s\n", drawMode + 1, op.a / kUnitsPerPoint,
                  op.b / kUnitsPerPoint, height / kUnitsPerPoint,
                  test_support::Utf8FromCp932(op.text).c_str());
    }
  }
  return 0;
}
