#pragma once

#include <functional>

// Runs a handler's body and shows the text of any exception that escapes it
// in a message box, so that no exception unwinds through Qt's own frames and
// the screen stays usable. Returns false when the body threw.
bool guarded(const std::function<void()> &body);

// The text shown for an exception caught in flight (call inside a catch block).
class QString;
QString currentExceptionText();
