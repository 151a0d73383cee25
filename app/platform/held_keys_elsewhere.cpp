#include "held_keys.h"

void PressHeldKeysOnce() {}
