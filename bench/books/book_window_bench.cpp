// Opening generated books of 5 MB in the window: from the open command to the text box filled
// and the start button ready, the window's pending events (layout and paint) included.

#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <array>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/books/generated_books.h"
#include "bench/summary.h"
#include "ui/Unit1.h"
#include "ui/platform/speed_button.h"

namespace orvell::bench {
namespace {

constexpr int kRuns = 7;

using Clock = std::chrono::steady_clock;

// Milliseconds of each opening of `file`; empty when the window did not take the book.
std::vector<double> openingsMs(TForm1& form, const std::string& file) {
    const QString path = QString::fromStdString(file);
    std::vector<double> ms;
    for (int run = 0; run < kRuns; ++run) {
        form.Memo1->setPlainText(QStringLiteral("короткий текст"));
        QApplication::processEvents();
        const auto start = Clock::now();
        form.openFile(path);
        QApplication::processEvents();
        const std::chrono::duration<double, std::milli> took = Clock::now() - start;
        if (!form.SpeedButton1->isEnabled() || form.Memo1->document()->characterCount() < 1'000'000)
            return {};
        ms.push_back(took.count());
    }
    return ms;
}

}  // namespace
}  // namespace orvell::bench

int main(int argc, char** argv) {
    using namespace orvell::bench;
    QApplication app(argc, argv);
    // The window loads and saves library.txt in the current folder: one of this run's own.
    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    const std::array<std::pair<const char*, const std::string*>, 3> books = {{
        {"open_txt_ms_5mb", &textBook()},
        {"open_fb2_ms_5mb", &fb2Book()},
        {"open_epub_ms_5mb", &epubBook()},
    }};
    int failures = 0;
    {
        orvell::TForm1 form;
        form.show();
        for (const auto& [figure, file] : books) {
            const std::vector<double> ms = openingsMs(form, *file);
            if (ms.empty()) {
                std::fprintf(stderr, "%s: the window did not take the book\n", figure);
                ++failures;
                continue;
            }
            std::printf("%s: median of %zu openings\n", figure, ms.size());
            reportFigure(figure, median(ms));
        }
    }
    QDir::setCurrent(previous);
    removeGeneratedBooks();
    return failures == 0 ? 0 : 1;
}
