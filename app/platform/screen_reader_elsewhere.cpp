#include "screen_reader.h"

void ReachScreenReadersStartedLater() {}
