// Loads the font database and the skin font on a worker thread while start-up goes on, so that the
// first paint pass does not wait for fontconfig. Text on a QImage may be drawn from any thread.
#pragma once

#include <thread>

namespace tarsel {

// Call once the QApplication exists; the thread is joined when the result goes away.
std::jthread StartFontWarmUp();

}  // namespace tarsel
