// The program's start, from a new process to its first painted window,
// beside a bare Qt window of the same size started the same way (target
// within 1.2 times of it), beside that bare window with one Japanese label,
// which is what any window with Japanese text must pay, and beside that bare
// window drawing the window's captions in its faces and sizes, the least a
// window showing them can pay; the same inside one process, where only the
// window's own work counts; a preview click until its drawing is done
// (target under 5 ms); and a repaint of the preview alone.
//
// For the start the benchmark runs itself again as a child with "--child=bare",
// "--child=label", "--child=texts" or "--child=form"; the child starts Qt as the
// program does, shows its window and exits at the window's first paint.

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QWindow>

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "bench_window.h"
#include "cp932_codec.h"
#include "qt_benchmarks.h"
#include "qt_translations.h"
#include "worksheet/question_count.h"

namespace {

// Counts the paint events a widget receives.
class PaintWatcher : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return QObject::eventFilter(watched, event);
  }
  int paints = 0;
};

template <typename MakeWindow>
void ShowUntilPainted(benchmark::State& state, MakeWindow makeWindow) {
  for (auto _ : state) {
    auto window = makeWindow();
    PaintWatcher watcher;
    window->installEventFilter(&watcher);
    window->show();
    while (watcher.paints == 0) QApplication::processEvents();
    state.PauseTiming();
    window->removeEventFilter(&watcher);
    window.reset();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}

void BM_FirstPaint_BareWindow(benchmark::State& state) {
  ShowUntilPainted(state, [] {
    auto window = std::make_unique<QWidget>();
    window->resize(662, 527);
    return window;
  });
}
BENCHMARK(BM_FirstPaint_BareWindow)->Unit(benchmark::kMillisecond);

void BM_FirstPaint_TForm1(benchmark::State& state) {
  ErrorNotifier notifier;
  const std::shared_ptr<PrintService> printService = MakeSystemPrintService();
  ShowUntilPainted(state, [&] { return std::make_unique<TForm1>(notifier, printService); });
}
BENCHMARK(BM_FirstPaint_TForm1)->Unit(benchmark::kMillisecond);

// A shown window set for eighty questions from all ten tables in random order.
void ShowEightyQuestions(TForm1& form) {
  form.show();
  while (form.windowHandle() == nullptr || !form.windowHandle()->isExposed()) {
    QApplication::processEvents();
  }
  ChooseEightyQuestions(form);
}

void BM_PreviewClick(benchmark::State& state) {
  BenchWindow window;
  TForm1& form = window.form;
  ShowEightyQuestions(form);
  auto* preview = form.findChild<QPushButton*>(QStringLiteral("PreviewBtn"));
  int drawn = 0;
  QObject::connect(&form, &TForm1::PreviewDrawn, [&drawn] { ++drawn; });
  for (auto _ : state) preview->click();
  if (drawn < state.iterations()) state.SkipWithError("the preview was not drawn on every click");
}
BENCHMARK(BM_PreviewClick)->Unit(benchmark::kMicrosecond);

// The same sheet drawn again, as when the window is uncovered: the drawing
// alone, without making a sheet.
void BM_PreviewRepaint(benchmark::State& state) {
  BenchWindow window;
  TForm1& form = window.form;
  ShowEightyQuestions(form);
  form.findChild<QPushButton*>(QStringLiteral("PreviewBtn"))->click();
  auto* area = form.findChild<QWidget*>(QStringLiteral("PaintBox1"));
  int drawn = 0;
  QObject::connect(&form, &TForm1::PreviewDrawn, [&drawn] { ++drawn; });
  for (auto _ : state) area->repaint();
  if (drawn < state.iterations()) state.SkipWithError("the preview was not drawn on every repaint");
}
BENCHMARK(BM_PreviewRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// The window's captions in its faces and sizes, drawn and nothing else: what
// any window showing them must pay for its fonts, glyphs and shaping.
class WindowTexts : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QStringList tables;
    for (const QChar digit : QStringLiteral("０１２３４５６７８９")) {
      tables << digit + QStringLiteral("の段");
    }
    QStringList counts;
    for (const auto& option : worksheet::kQuestionCountOptions) {
      counts << QStringFromCp932(option.label);
    }
    const QString gothic = QStringLiteral("IPAGothic");
    const QString mincho = QStringLiteral("IPAMincho");
    const struct {
      QString family;
      int pixels;
      bool bold;
      QStringList captions;
    } runs[] = {
        {gothic, 16, true, {QStringLiteral("九九の練習プリントを作ります")}},
        {mincho, 16, false,
         QStringList{QStringLiteral("段"), QStringLiteral("重点的にしたい段"),
                     QStringLiteral("問題数"), QStringLiteral("ﾗﾝﾀﾞﾑ指定"), QStringLiteral("昇順"),
                     QStringLiteral("降順"), QStringLiteral("あり"), QStringLiteral("乗数に０を"),
                     QStringLiteral("入れない"), QStringLiteral("入れる"),
                     QStringLiteral("ﾌﾟﾘﾝﾄ番号"), QStringLiteral("1")} +
             tables + tables + counts},
        {gothic,
         13,
         false,
         {QStringLiteral("[ ]のパターン"), QStringLiteral("なし"), QStringLiteral("[ ]×"),
          QStringLiteral("×[ ]"), QStringLiteral("混合"), QStringLiteral("何十、何百の指定"),
          QStringLiteral("なし"), QStringLiteral("×10"), QStringLiteral("×100"),
          QStringLiteral("問題番号"), QStringLiteral("なし"), QStringLiteral("あり")}},
        {mincho,
         19,
         false,
         {QStringLiteral("印刷の設定"), QStringLiteral("ﾌﾟﾚﾋﾞｭｰ"), QStringLiteral("印刷"),
          QStringLiteral("印刷(答えつき)"), QStringLiteral("終了")}},
    };
    QPainter painter(this);
    int y = 0;
    for (const auto& run : runs) {
      QFont font(run.family);
      font.setPixelSize(run.pixels);
      font.setBold(run.bold);
      painter.setFont(font);
      for (const QString& caption : run.captions) {
        y = (y + run.pixels) % height();
        painter.drawText(QPointF(8, y), caption);
      }
    }
  }
};

// The child: start as main() does and leave at the first paint.
int RunChild(int argc, char** argv, const char* mode) {
  QApplication application(argc, argv);
  InstallJapaneseQtTranslations();
  ErrorNotifier notifier;
  const std::shared_ptr<PrintService> printService = MakeSystemPrintService();
  std::unique_ptr<QWidget> window;
  if (std::strcmp(mode, "form") == 0) {
    window = std::make_unique<TForm1>(notifier, printService);
  } else {
    window = std::make_unique<QWidget>();
    window->resize(662, 527);
  }
  if (std::strcmp(mode, "texts") == 0) {
    auto* texts = new WindowTexts(window.get());
    texts->resize(window->size());
  }
  if (std::strcmp(mode, "label") == 0) {
    // The least a window with Japanese text costs: the font database and one
    // Japanese face.
    auto* label = new QLabel(QStringLiteral("九九の練習プリント"), window.get());
    QFont font(QStringLiteral("IPAMincho"));
    font.setPixelSize(16);
    label->setFont(font);
  }
  PaintWatcher watcher;
  window->installEventFilter(&watcher);
  window->show();
  while (watcher.paints == 0) QApplication::processEvents();
  return 0;
}

void StartProcess(benchmark::State& state, const char* mode) {
  std::string self(4096, '\0');
  self.resize(static_cast<std::size_t>(
      std::max<ssize_t>(0, readlink("/proc/self/exe", self.data(), self.size()))));
  std::string argument = std::string("--child=") + mode;
  char* arguments[] = {self.data(), argument.data(), nullptr};
  for (auto _ : state) {
    pid_t child = 0;
    if (posix_spawn(&child, self.c_str(), nullptr, nullptr, arguments, environ) != 0) {
      state.SkipWithError("cannot start the child");
      return;
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("the child failed");
      return;
    }
  }
}

void BM_ProcessStart_BareWindow(benchmark::State& state) {
  StartProcess(state, "bare");
}
BENCHMARK(BM_ProcessStart_BareWindow)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_ProcessStart_BareWindowWithJapaneseLabel(benchmark::State& state) {
  StartProcess(state, "label");
}
BENCHMARK(BM_ProcessStart_BareWindowWithJapaneseLabel)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

void BM_ProcessStart_WindowTexts(benchmark::State& state) {
  StartProcess(state, "texts");
}
BENCHMARK(BM_ProcessStart_WindowTexts)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_ProcessStart_TForm1(benchmark::State& state) {
  StartProcess(state, "form");
}
BENCHMARK(BM_ProcessStart_TForm1)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strncmp(argv[1], "--child=", 8) == 0) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return RunChild(argc, argv, argv[1] + 8);
  }
  return RunQtBenchmarks(argc, argv);
}
