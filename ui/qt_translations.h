#pragma once

namespace orvell {

// Qt's own texts (the text box's context menu, the file dialog, the buttons of message boxes)
// in Russian, whatever the system's language: Orvell is a Russian program. The translations are
// looked for beside the program first (translations/qtbase_ru.qm, as the Windows installer puts
// them), then in Qt's own folder. Without them Qt speaks English, and one line on standard
// error says why. Call once, after the application object is made.
void translateQtIntoRussian();

}  // namespace orvell
