// The reading statistics.

#include "Unit1.h"

namespace orvell {

void TForm1::Timer2Timer() {
    // refresh the statistics
}

void TForm1::ProgressBar1MouseDown() {
    // cycle the bar's colour state
}

}  // namespace orvell
