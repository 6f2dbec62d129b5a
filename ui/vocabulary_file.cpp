// Loading and saving the vocabulary, and the autosave tick, which also keeps the sitting in
// progress in the history. The load at start and the autosaves
// run on the vocabulary's own thread, so that the window answers and the reading goes on
// meanwhile; their error boxes come back to this thread, one for each failure.

#include <QMetaObject>

#include "storage/file_error.h"
#include "ui/Unit1.h"
#include "ui/platform/message_box.h"

namespace orvell {

void TForm1::LoadLib() { larr.loadInBackground(showFailureLater()); }

// Waits for an autosave still being written, then writes every entry.
void TForm1::SaveLib() {
    try {
        larr.SaveLib();
    } catch (const FileError& e) {
        showFileError(e);
    }
}

void TForm1::Timer3Timer() {
    larr.saveInBackground(showFailureLater());
    session_.keepSitting();  // a crash then loses at most one period of the sitting
}

Vocabulary::FailureHandler TForm1::showFailureLater() {
    return [this](const FileError& e) {
        QMetaObject::invokeMethod(
            this, [this, e] { showFileError(e); }, Qt::QueuedConnection);
    };
}

void TForm1::showFileError(const FileError& e) {
    // As the runtime's default handler would: the error's text, a full stop, and go on.
    platform::showError(isVisible() ? this : nullptr,
                        QString::fromLocal8Bit(e.what()) + QChar(u'.'));
}

}  // namespace orvell
