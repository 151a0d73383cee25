#pragma once

// Runs the registered benchmarks inside a QApplication, on Qt's offscreen
// platform unless QT_QPA_PLATFORM names another.
int RunQtBenchmarks(int argc, char** argv);
