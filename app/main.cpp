#include <cstdio>

// The main window is not built yet: say so instead of pretending to run.
int main() {
  std::fputs("ｶｹﾏﾙ For 九九: the main window is not available in this build yet.\n", stderr);
  return 1;
}
