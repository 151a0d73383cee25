#pragma once

// A key held down presses the focused button once, as on every desktop.
// An X server repeats a held key as a release followed by a press; Qt on X11
// does not always tell such a pair from a real one, above all while events
// queue up, so a held Space clicked the focused button again and again (and
// printed sheet after sheet). This asks the X server to repeat the press
// alone. Other window systems tell repeats apart already: nothing to do
// there. Call it once the application object exists; true when it asked.
bool PressHeldKeysOnce();
