#include "engine/display_entry.h"

namespace orvell {

DisplayEntry pauseEntry() { return {u"      ", u" ", u"        "}; }

// No word holds a blank, so a blank focus marks a pause.
bool isPause(const DisplayEntry& e) { return e.focus == u" "; }

bool isLineBreak(const DisplayEntry& e) {
    return e.left.empty() && e.right.empty() && (e.focus == u"\n" || e.focus == u"\r");
}

}  // namespace orvell
