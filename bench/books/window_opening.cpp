#include "bench/books/window_opening.h"

#include <QApplication>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <chrono>
#include <filesystem>

#include "ui/Unit1.h"
#include "places/places_file.h"
#include "ui/platform/data_folder.h"
#include "ui/platform/speed_button.h"

namespace orvell::bench {

std::optional<double> openingMs(TForm1& form, const QString& path) {
    // The book before is let go of outside the time measured.
    form.Memo1->setPlainText(QStringLiteral("короткий текст"));
    QApplication::processEvents();
    const auto start = std::chrono::steady_clock::now();
    form.openFile(path);
    QApplication::processEvents();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    if (!form.SpeedButton1->isEnabled() || form.Memo1->document()->characterCount() < 1'000'000 ||
        !form.windowTitle().endsWith(QFileInfo(path).fileName()))
        return std::nullopt;
    return took.count();
}

void forgetReadingPlaces() {
    QStandardPaths::setTestModeEnabled(true);
    std::filesystem::remove(platform::dataFolder() / PlacesFile::kFileName);
}

}  // namespace orvell::bench
