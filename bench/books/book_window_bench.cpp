// Opening generated books of 5 MB in the window: from the open command to the text box filled,
// the window titled and the start button ready, the window's pending events (layout and paint)
// included, and the book known by its text, and for the tag soup the damage told; and opening
// again a book whose reading place is remembered.

#include <QApplication>
#include <QMessageBox>
#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "bench/books/generated_books.h"
#include "bench/books/window_opening.h"
#include "bench/summary.h"
#include "tests/ui/scratch_folder.h"
#include "ui/Unit1.h"
#include "ui/platform/message_box.h"
#include "ui/platform/speed_button.h"
#include "ui/platform/timer.h"

namespace orvell::bench {
namespace {

constexpr int kRuns = 7;

// Milliseconds of each opening of `file`; empty when the window did not take the book, or did
// not find its place when one is `remembered`.
std::vector<double> openingsMs(TForm1& form, const std::string& file, bool remembered = false) {
    std::vector<double> ms;
    for (int run = 0; run < kRuns; ++run) {
        const std::optional<double> took = openingMs(form, QString::fromStdString(file));
        if (!took ||
            form.SpeedButton1->toolTip().startsWith(QStringLiteral("Продолжить")) != remembered)
            return {};
        ms.push_back(*took);
    }
    return ms;
}

// Reads a little of the book and pauses, which remembers its place.
void readSomeOf(TForm1& form, const std::string& file) {
    form.openFile(QString::fromStdString(file));
    form.SpeedButton1->click();  // returns once the whole book is cut
    for (int i = 0; i < 1000; ++i) emit form.Timer1->tick();
    form.SpeedButton2->click();
}

}  // namespace
}  // namespace orvell::bench

int main(int argc, char** argv) {
    using namespace orvell::bench;
    QApplication app(argc, argv);
    const orvell::test::ScratchFolder folder;
    forgetReadingPlaces();
    const std::array<std::pair<const char*, const std::string*>, 4> books = {{
        {"open_txt_ms_5mb", &textBook()},
        {"open_fb2_ms_5mb", &fb2Book()},
        {"open_epub_ms_5mb", &epubBook()},
        {"open_epub_tag_soup_ms_5mb", &epubTagSoupBook()},
    }};
    // The tag soup is damage to be told of: its box is closed as soon as it is open.
    orvell::platform::setMessageBoxObserver([](QMessageBox& box) { box.accept(); });
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
        readSomeOf(form, fb2Book());
        const std::vector<double> ms = openingsMs(form, fb2Book(), true);
        if (ms.empty()) {
            std::fprintf(stderr, "resume_open_ms_5mb: the window did not resume the book\n");
            ++failures;
        } else {
            std::printf("resume_open_ms_5mb: median of %zu openings of the FB2 book\n", ms.size());
            reportFigure("resume_open_ms_5mb", median(ms));
        }
    }
    forgetReadingPlaces();
    removeGeneratedBooks();
    return failures == 0 ? 0 : 1;
}
