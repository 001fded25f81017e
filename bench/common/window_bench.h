#pragma once
// What the window benchmarks share: waiting on the event loop without spinning, a
// main window with its folder fully listed, and the bare decode timed.

#include <QString>

namespace tollamar {
class TMainForm;
}

// Runs the event loop for ms milliseconds, sleeping while nothing happens.
void pump(int ms);
// Shows form and returns once every entry of its list is loaded.
void showListed(tollamar::TMainForm& form);
// Milliseconds a bare in-process libjpeg float decode of the whole file takes.
double bareFullDecodeMs(const QString& file);
