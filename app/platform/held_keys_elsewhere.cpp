#include "held_keys.h"

bool PressHeldKeysOnce() {
  return false;
}
