#pragma once

class QProgressBar;

namespace orvell::platform {

// The three colour states of a progress bar, in the order of their values.
enum TProgressBarState { pbsNormal = 0, pbsError = 1, pbsPaused = 2 };

// Qt's progress bar has no states; the state is kept as a property and drawn with a style
// sheet in the usual green, red and yellow.
void setBarState(QProgressBar& bar, TProgressBarState state);
TProgressBarState barState(const QProgressBar& bar);

}  // namespace orvell::platform
