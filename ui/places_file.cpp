#include "ui/places_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string_view>

#include "storage/file_error.h"
#include "storage/file_system.h"
#include "storage/whole_file.h"

namespace orvell {

namespace {

// A few hundred lines take some 30 KB; a bigger file is not one this program wrote.
constexpr qint64 kLargestFile = qint64{1} << 20;

void reportOnce(std::atomic<bool>& reported, const QString& message) {
    if (reported.exchange(true)) return;
    std::fprintf(stderr, "%s\n", message.toUtf8().constData());
}

}  // namespace

PlacesFile::PlacesFile() : file_(location()) { load(); }

QString PlacesFile::location() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return folder.isEmpty() ? QString() : QDir(folder).filePath(QStringLiteral("places.txt"));
}

void PlacesFile::load() {
    QFile file(file_);
    if (file_.isEmpty() || !file.exists()) return;
    if (file.size() > kLargestFile) {
        reportOnce(failureReported_, QStringLiteral("Orvell: %1 is too large to be a places "
                                                    "file; reading places are not restored.")
                                         .arg(file_));
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        reportOnce(failureReported_,
                   QStringLiteral("Orvell: cannot read %1 (%2); reading places are not restored.")
                       .arg(file_, file.errorString()));
        return;
    }
    const QByteArray bytes = file.readAll();
    places_ = books::ReadingPlaces::parse(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void PlacesFile::remember(const std::string& book, std::int32_t entries, std::int32_t position) {
    const auto now = std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::system_clock::now().time_since_epoch());
    places_.remember({book, entries, position, now.count()});
    save();
}

void PlacesFile::forget(const std::string& book) {
    places_.forget(book);
    save();
}

void PlacesFile::save() {
    if (file_.isEmpty()) return;
    // A save still waiting gives way to this one, which holds all it would have written.
    writer_.post([this, text = places_.serialise()] {
        try {
            if (!QDir().mkpath(QFileInfo(file_).path()))
                throw FileError("cannot create the folder");
            const std::array pieces{std::string_view(text)};
            writeAtomically(systemFileSystem(), std::filesystem::path(file_.toStdU16String()),
                            pieces);
        } catch (const FileError& e) {
            reportOnce(failureReported_,
                       QStringLiteral("Orvell: reading places not saved in %1: %2.")
                           .arg(file_, QString::fromLocal8Bit(e.what())));
        }
    });
}

}  // namespace orvell
