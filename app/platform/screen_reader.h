#pragma once

// Screen readers reach the program whenever one runs, also one started after
// the program. Qt's AT-SPI bridge (Linux) asks once, when it first finds the
// accessibility bus, whether a screen reader is on (IsEnabled or
// ScreenReaderEnabled of org.a11y.Status) and, if none was, stays off the bus
// for the whole run: Orca started later found no window to read. This keeps
// the bridge on the bus from the start, as GTK programs are. Nothing is sent
// while no reader listens: the bridge sends only the events that a registered
// listener asked for. Elsewhere screen readers ask the program themselves
// (UI Automation): nothing to do. Call it before the application object is made.
void ReachScreenReadersStartedLater();
