// Loading and saving the vocabulary, and the autosave tick.

#include "ui/Unit1.h"
#include "ui/platform/message_box.h"
#include "vocabulary/file_error.h"

namespace orvell {

void TForm1::LoadLib() {
    runFileOperation([this] { larr.LoadLib(); });
}

void TForm1::SaveLib() {
    runFileOperation([this] { larr.SaveLib(); });
}

void TForm1::Timer3Timer() { SaveLib(); }

void TForm1::runFileOperation(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const FileError& e) {
        // As the runtime's default handler would: the error's text, a full stop, and go on.
        platform::showError(isVisible() ? this : nullptr,
                            QString::fromLocal8Bit(e.what()) + QChar(u'.'));
    }
}

}  // namespace orvell
