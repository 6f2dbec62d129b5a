#pragma once

#include <QString>
#include <optional>

namespace orvell {
class TForm1;
}

namespace orvell::bench {

// Opens the book at `path` in the window as the open command does, over a short text in the
// text box, and gives the milliseconds from the call to the book in the text box, the window
// titled after it and the start ready, the window's pending events (layout and paint)
// included; nothing when the window did not take the book.
std::optional<double> openingMs(TForm1& form, const QString& path);

// The window's reading places go to a test folder, never the user's own, and start empty.
void forgetReadingPlaces();

}  // namespace orvell::bench
