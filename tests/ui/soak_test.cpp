// A random soak of the reader window: mouse clicks, key presses (hot keys included), edits of
// the text, book files opened, speed changes and activation changes, sent to the real window
// while its timers run. After every event the controls must show one of the states a reading can be
// in.
//
// ORVELL_SOAK_SEED sets the seed (printed at the start), ORVELL_SOAK_EVENTS the number of
// events, and ORVELL_SOAK_TRACE=1 prints every event as it is sent. The timers make a run
// depend on timing as well, so a seed replays the same choices, not always the same run.
// A long run takes about 6 ms an event: raise QTEST_FUNCTION_TIMEOUT (ms) above Qt Test's
// five minutes.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRegularExpression>
#include <QTimer>
#include <QUrl>
#include <array>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <utility>
#include <vector>

#include "engine/speed_table.h"
#include "tests/ui/ui_test_support.h"
#include "ui/Unit1.h"
#include "ui/pause_captions.h"
#include "ui/platform/activation.h"
#include "ui/platform/clock.h"
#include "ui/platform/file_dialog.h"
#include "ui/platform/hot_keys.h"
#include "ui/platform/speed_button.h"
#include "ui/platform/timer.h"

using namespace Qt::StringLiterals;

namespace orvell {

namespace {

enum class Caption { Pause, Resume, Either };

// A combination of the settings that make up the state of a reading.
struct WindowState {
    const char* name;
    bool start;       // SpeedButton1 enabled
    bool pause;       // SpeedButton2 enabled
    Caption caption;  // SpeedButton2's caption
    bool memo;        // Memo1 enabled
    bool pacing;      // Timer1 on
    bool statistics;  // Timer2 and Timer3 on; they are always switched together
};

// Every combination the window may show between two events.
// - Idle is Ended with the pause caption. An edit changes only the buttons of these two, so
//   Released after Idle or Ended looks the same.
// - Ended keeps the caption of the reading that ended, and a reading started after a pause and
//   an edit runs with "Продолжить [пробел]" until the pause button is pressed twice.
// - A replay after the end runs with the pause caption (the step back that starts it resumes
//   through the pause handler), so a second step back pauses it: that too looks like Ended,
//   with the resume caption.
// - Released after Paused keeps the statistics and the autosave running and the resume caption.
constexpr auto kAllowedStates = std::to_array<WindowState>({
    {"Idle, Ended, or Released after either", true, false, Caption::Either, true, false, false},
    {"Reading", false, true, Caption::Either, false, true, true},
    {"Paused", false, true, Caption::Resume, true, false, true},
    {"Released after Paused", true, false, Caption::Resume, true, false, true},
    {"Replay after the end", true, false, Caption::Pause, false, true, false},
});
constexpr std::size_t kStateCount = kAllowedStates.size();

constexpr int kDefaultEvents = 2000;
constexpr int kFastestSpeed = kSpeedRows - 1;
// Events sent from inside a running cutting may start other cuttings, three deep at most.
constexpr int kMaxEventDepth = 3;
constexpr std::size_t kEventsKept = 10;
constexpr int kProgressEvery = 10'000;
constexpr int kShortestTick = 31;
constexpr double kWatchWhileReading = 0.3;
constexpr double kLongWait = 0.015;

constexpr std::array kHotKeys = {platform::HotKeys::kKeypadPlus, platform::HotKeys::kSpace,
                                 platform::HotKeys::kKeypadMinus};
constexpr std::array kMoveKeys = {platform::HotKeys::kLeft,   platform::HotKeys::kRight,
                                  platform::HotKeys::kUp,     platform::HotKeys::kDown,
                                  platform::HotKeys::kPageUp, platform::HotKeys::kPageDown};

// Pieces of the texts typed and pasted, one "|" between two.
const QStringList kPieces =
    u"слово|Раз|два,|три.|word|Hello!|—|...|,|:|;|?|   |\t|\r\n|\n|😀|𝄞нота|е́ж|123|(да)|«вот»|a|-|+|"
    u"сверхдлинноесловобезединогопробела|ёлка;|и"_s.split(u'|');

// Control characters and characters beyond the basic plane as escapes, so that a dump reads.
QString visible(const QString& text) {
    QString out;
    for (const char32_t c : text.toUcs4()) {
        if (c < 0x20 || (c >= 0x7f && c < 0xa0) || c > 0xffff)
            out += u"\\u{%1}"_s.arg(static_cast<uint>(c), 0, 16);
        else
            out += QString::fromUcs4(&c, 1);
    }
    return out;
}

QString nameOf(const QObject* o) {
    if (o == nullptr) return u"none"_s;
    return o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className())
                                     : o->objectName();
}

// Qt Test warns about every key or click that a control leaves unaccepted, as a disabled one
// does, and the offscreen platform about every window feature it lacks; here both are the
// expected end of many events.
QtMessageHandler& previousMessageHandler() {
    static QtMessageHandler handler = nullptr;
    return handler;
}
void dropExpectedWarnings(QtMsgType type, const QMessageLogContext& context,
                          const QString& message) {
    if (type == QtWarningMsg && (message.endsWith(u"not accepted by receiving widget"_s) ||
                                 message.startsWith(u"This plugin does not support"_s)))
        return;
    previousMessageHandler()(type, context, message);
}

QLatin1StringView onOff(bool on) { return on ? "on"_L1 : "off"_L1; }

}  // namespace

class SoakTest : public QObject {
    Q_OBJECT

    using Event = void (SoakTest::*)();
    struct EventKind {
        double weight;
        Event send;
    };

    std::unique_ptr<test::ScratchFolder> folder_;
    std::unique_ptr<TForm1> form_;
    std::unique_ptr<QWidget> otherWindow_;  // another window of the program
    std::mt19937_64 random_;
    std::uint64_t seed_ = 0;
    bool trace_ = false;
    int total_ = kDefaultEvents;
    int sent_ = 0;
    int depth_ = 0;
    int injectBudget_ = 0;  // events still to send from inside the running cutting
    QTimer injector_;
    int filled_ = 0;  // entries of the script, as far as counted
    int explanations_ = 0;
    QStringList books_;      // files to open: books, and files that cannot be opened
    QString dialogAnswer_;   // the file the next file dialog chooses; empty: cancelled
    QString badBookOpened_;  // the file whose error box is due
    std::deque<QString> lastEvents_;
    QString failure_;

    // What the run went through, printed at the end.
    std::array<int, kStateCount> statesSeen_{};
    int nestedEvents_ = 0;
    int pacingTicks_ = 0;
    int statisticsTicks_ = 0;
    int restarts_ = 0;
    int boxes_ = 0;
    int booksOpened_ = 0;
    int longestScript_ = 0;
    std::int64_t waitedMs_ = 0;

    // Randomness.
    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(random_); }
    template <typename T, std::size_t N>
    const T& oneOf(const std::array<T, N>& items) {
        return items[static_cast<std::size_t>(uniform(0, static_cast<int>(N) - 1))];
    }
    const QString& oneOf(const QStringList& items) {
        return items[uniform(0, static_cast<int>(items.size()) - 1)];
    }

    QString randomText() {
        switch (uniform(0, 9)) {
            case 0:
                return {};
            case 1:
                return {uniform(1, 5), u' '};
            case 2:
                return oneOf({u".,;:!?"_s, u","_s, u"—"_s, u"...!"_s, u"«»"_s});
            case 3:
                return u"\r\n"_s.repeated(uniform(1, 3));
            default:
                break;
        }
        QString text;
        for (int n = uniform(1, 8); n > 0; --n)
            text += oneOf(kPieces) + oneOf({u" "_s, u" "_s, u""_s, u"\r\n"_s});
        return text;
    }

    // Long enough that the cutting goes on for many yields while the reading runs.
    QString longText() {
        QString text;
        for (int n = uniform(200, 3000); n > 0; --n)
            text += oneOf(kPieces) + (chance(0.05) ? u"\r\n"_s : u" "_s);
        return text;
    }

    // The speed list, mostly near its fast end so that pacing ticks come often.
    int randomSpeed() {
        return chance(0.75) ? uniform(12, kFastestSpeed) : uniform(0, kFastestSpeed);
    }

    bool expanded() const { return form_->height() >= TForm1::kExpandedHeight; }

    QWidget* keyTarget() const {
        QWidget* focus = QApplication::focusWidget();
        return focus ? focus : form_.get();
    }

    // Bookkeeping of events.
    void note(const QString& what) {
        const QString line =
            u"#%1%2 %3"_s.arg(sent_ - 1).arg(depth_ > 1 ? u" (nested)"_s : u""_s, what);
        if (trace_) qInfo("%s", qPrintable(line));
        lastEvents_.push_back(line);
        if (lastEvents_.size() > kEventsKept) lastEvents_.pop_front();
    }

    void fail(const QString& what) {
        if (!failure_.isEmpty()) return;
        QString message =
            u"seed %1, event %2: %3\n%4\nlast events:"_s.arg(seed_).arg(sent_ - 1).arg(
                what, form_ ? dump() : u"(no window)"_s);
        for (const QString& line : lastEvents_) message += u"\n  "_s + line;
        failure_ = message;
        injectBudget_ = 0;
    }

    QString dump() const {
        const TForm1& f = *form_;
        const ReadingCore& r = f.reading();
        const platform::HotKeys* hotKeys = test::hotKeysOf(f);
        QStringList keys;
        for (const int id : kHotKeys)
            if (hotKeys->isRegistered(id)) keys << QString::number(id);
        const QWidget* focus = QApplication::focusWidget();
        return QStringList{
            u"SpeedButton1 %1, SpeedButton2 %2 \"%3\", Memo1 %4"_s.arg(
                onOff(f.SpeedButton1->isEnabled()), onOff(f.SpeedButton2->isEnabled()),
                f.SpeedButton2->text(), onOff(f.Memo1->isEnabled())),
            u"Timer1 %1 (%2 ms), Timer2 %3, Timer3 %4"_s.arg(onOff(f.Timer1->enabled()))
                .arg(f.Timer1->interval())
                .arg(onOff(f.Timer2->enabled()), onOff(f.Timer3->enabled())),
            u"sh %1, k1 %2, entries %3, cutting %4, j %5, j2 %6, speed item %7"_s.arg(r.sh())
                .arg(r.k1())
                .arg(filled_)
                .arg(onOff(r.cutting()))
                .arg(r.j())
                .arg(r.j2())
                .arg(f.ComboBox1->currentIndex()),
            u"hot keys [%1], focus %2, explanations %3, learning %4"_s.arg(
                keys.join(u' '), nameOf(focus), QString::number(explanations_),
                onOff(f.CheckBox1->isChecked())),
            u"strip \"%1|%2|%3\", labels \"%4\" \"%5\" \"%6\", bar %7 in %8..%9"_s
                .arg(visible(f.Label1->text()), visible(f.Label2->text()),
                     visible(f.Label3->text()), f.Label13->text(), f.Label14->text(),
                     f.Label15->text())
                .arg(f.ProgressBar1->value())
                .arg(f.ProgressBar1->minimum())
                .arg(f.ProgressBar1->maximum()),
            u"text (%1 characters): \"%2\""_s.arg(f.Memo1->toPlainText().size())
                .arg(visible(f.Memo1->toPlainText().left(60))),
        }
            .join(u'\n');
    }

    // The checks made after every event.
    void check() {
        if (!failure_.isEmpty() || !form_) return;
        const TForm1& f = *form_;
        const bool timer2 = f.Timer2->enabled();
        if (timer2 != f.Timer3->enabled()) return fail(u"Timer2 and Timer3 differ"_s);
        const QString caption = f.SpeedButton2->text();
        if (caption != kPauseCaption && caption != kResumeCaption)
            return fail(u"unknown caption of SpeedButton2"_s);
        const Caption shown = caption == kPauseCaption ? Caption::Pause : Caption::Resume;
        std::size_t state = 0;
        for (; state < kStateCount; ++state) {
            const WindowState& s = kAllowedStates[state];
            if (s.start == f.SpeedButton1->isEnabled() && s.pause == f.SpeedButton2->isEnabled() &&
                (s.caption == Caption::Either || s.caption == shown) &&
                s.memo == f.Memo1->isEnabled() && s.pacing == f.Timer1->enabled() &&
                s.statistics == timer2)
                break;
        }
        if (state == kStateCount) return fail(u"the controls are in no state of a reading"_s);
        ++statesSeen_[state];

        // The script is the run of filled slots from slot 0; a new start empties it.
        const ReadingCore& r = f.reading();
        if (filled_ > 0 && !r.sarr().filled(filled_ - 1)) filled_ = 0;
        while (r.sarr().filled(filled_)) ++filled_;
        longestScript_ = std::max(longestScript_, filled_);
        if (r.sh() < 0 || r.sh() > filled_) return fail(u"sh outside the script"_s);
        // A line break dropped at the very end of the text leaves the script but keeps its slot.
        const std::optional<DisplayEntry> afterLast = r.sarr().at(r.k1());
        const bool droppedLineBreak = afterLast.has_value() && r.k1() + 1 == filled_ &&
                                      (afterLast->focus == u"\n" || afterLast->focus == u"\r");
        if (!r.cutting() && r.k1() != filled_ && !droppedLineBreak)
            return fail(u"k1 is not the number of entries after the cutting"_s);
        if (f.Timer1->interval() < std::uint32_t{kShortestTick})
            return fail(u"pacing interval too short"_s);

        const platform::HotKeys* hotKeys = test::hotKeysOf(f);
        if (hotKeys == nullptr) return fail(u"no hot keys"_s);
        int keys = 0;
        for (const int id : kHotKeys) keys += hotKeys->isRegistered(id) ? 1 : 0;
        if (keys != 0 && keys != 3) return fail(u"only some of the hot keys are taken"_s);
        int moveKeys = 0;
        for (const int id : kMoveKeys) moveKeys += hotKeys->isRegistered(id) ? 1 : 0;
        if (moveKeys != 0 && moveKeys != 6) return fail(u"only some of the move keys are taken"_s);
        if (moveKeys != 0 && keys == 0) return fail(u"move keys taken without the others"_s);

        static const QRegularExpression kEntriesShown(u"^\\d+ / -?\\d+$"_s);
        static const QRegularExpression kSpeedFigure(u"^\\d+$"_s);
        const bool labelsOk =
            (f.Label13->text() == u"-"_s || platform::parseLongTime(f.Label13->text()).isValid()) &&
            (f.Label14->text() == u"-"_s || kEntriesShown.match(f.Label14->text()).hasMatch()) &&
            (f.Label15->text() == u"-"_s || kSpeedFigure.match(f.Label15->text()).hasMatch());
        if (!labelsOk) return fail(u"a statistics label shows something unexpected"_s);
        const QProgressBar& bar = *f.ProgressBar1;
        if (bar.minimum() != 0 || bar.value() < 0 || bar.value() > bar.maximum())
            return fail(u"progress bar out of its range"_s);
        if (trace_)
            qInfo("    -> %s; sh %d, k1 %d, text of %d characters", kAllowedStates[state].name,
                  r.sh(), r.k1(), static_cast<int>(f.Memo1->toPlainText().size()));
    }

    // One random event, then the checks. The status bar is never clicked: that would open the
    // web page in a browser.
    void sendOneEvent() {
        static const auto kinds = std::to_array<EventKind>({
            {6, &SoakTest::clickStart},
            {5, &SoakTest::clickPause},
            {4, &SoakTest::clickStepBack},
            {3, &SoakTest::clickLookButton},
            {2, &SoakTest::clickLearningMode},
            {2, &SoakTest::clickProgressBar},
            {3, &SoakTest::clickTextBox},
            {9, &SoakTest::pressHotKey},
            {6, &SoakTest::pressOtherKey},
            {4, &SoakTest::typeText},
            {4, &SoakTest::pasteText},
            {2, &SoakTest::eraseText},
            {2, &SoakTest::openBook},
            {4, &SoakTest::changeSpeed},
            {3, &SoakTest::changeActivation},
            {2, &SoakTest::wait},
            {0.03, &SoakTest::restartProgram},
        });
        static std::discrete_distribution<int> pick = [] {
            std::vector<double> weights;
            weights.reserve(kinds.size());
            for (const EventKind& k : kinds) weights.push_back(k.weight);
            return std::discrete_distribution<int>(weights.begin(), weights.end());
        }();
        ++sent_;
        ++depth_;
        // A user mostly watches a running reading.
        if (form_->Timer1->enabled() && chance(kWatchWhileReading))
            wait();
        else
            (this->*kinds[static_cast<std::size_t>(pick(random_))].send)();
        --depth_;
        check();
    }

    // Clicks.
    void click(QWidget* widget, const QString& name, Qt::MouseButton button = Qt::LeftButton,
               QPoint at = {}) {
        const QString with = button == Qt::LeftButton
                                 ? QString()
                                 : u" with button %1"_s.arg(static_cast<uint>(button));
        note(u"click %1%2"_s.arg(name, with));
        QTest::mouseClick(widget, button, {}, at);
    }

    void clickStart() {
        // Half the starts get clicks and keys while their text is still being cut.
        if (chance(0.5)) {
            injectBudget_ = uniform(1, 30);
            injector_.start();
        }
        click(form_->SpeedButton1, u"SpeedButton1"_s);
    }
    void clickPause() { click(form_->SpeedButton2, u"SpeedButton2"_s); }
    void clickStepBack() { click(form_->SpeedButton3, u"SpeedButton3"_s); }
    void clickLookButton() {
        const std::array buttons = {form_->SpeedButton4, form_->SpeedButton5, form_->SpeedButton6};
        platform::SpeedButton* b = oneOf(buttons);
        click(b, b->objectName());
    }
    void clickLearningMode() { click(form_->CheckBox1, u"CheckBox1"_s); }
    void clickProgressBar() {
        if (!expanded()) return note(u"(progress bar hidden)"_s);
        click(form_->ProgressBar1, u"ProgressBar1"_s,
              oneOf(std::array{Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}));
    }
    void clickTextBox() {
        if (!expanded()) return note(u"(text box hidden)"_s);
        QWidget* viewport = form_->Memo1->viewport();
        click(viewport, u"Memo1"_s, Qt::LeftButton,
              {uniform(1, viewport->width() - 2), uniform(1, viewport->height() - 2)});
    }

    // Keys.
    void pressKey(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers,
                  const QString& name) {
        note(u"key %1 to %2"_s.arg(name, nameOf(target)));
        QTest::keyClick(target, key, modifiers);
    }

    void pressHotKey() {
        switch (uniform(0, 4)) {
            case 0:
                return pressKey(keyTarget(), Qt::Key_Plus, Qt::KeypadModifier, u"keypad +"_s);
            case 1:
                return pressKey(keyTarget(), Qt::Key_Minus, Qt::KeypadModifier, u"keypad -"_s);
            case 2:
                return pressMoveKey();
            default:
                return pressKey(keyTarget(), Qt::Key_Space, Qt::NoModifier, u"space"_s);
        }
    }

    void pressMoveKey() {
        const auto keys =
            std::to_array<std::pair<Qt::Key, const char16_t*>>({{Qt::Key_Left, u"Left"},
                                                                {Qt::Key_Right, u"Right"},
                                                                {Qt::Key_Up, u"Up"},
                                                                {Qt::Key_Down, u"Down"},
                                                                {Qt::Key_PageUp, u"PageUp"},
                                                                {Qt::Key_PageDown, u"PageDown"}});
        const auto& [key, name] = oneOf(keys);
        pressKey(keyTarget(), key, Qt::NoModifier, QString::fromUtf16(name));
    }

    void pressOtherKey() {
        struct Key {
            Qt::Key key{};
            Qt::KeyboardModifiers modifiers;
            const char16_t* name{};
        };
        static const auto keys = std::to_array<Key>({
            {Qt::Key_A, Qt::NoModifier, u"a"},
            {Qt::Key_Z, Qt::ShiftModifier, u"Z"},
            {Qt::Key_7, Qt::NoModifier, u"7"},
            {Qt::Key_5, Qt::KeypadModifier, u"keypad 5"},
            {Qt::Key_Asterisk, Qt::KeypadModifier, u"keypad *"},
            {Qt::Key_Plus, Qt::NoModifier, u"+"},
            {Qt::Key_Minus, Qt::NoModifier, u"-"},
            {Qt::Key_Space, Qt::ShiftModifier, u"shift space"},
            {Qt::Key_Return, Qt::NoModifier, u"Return"},
            {Qt::Key_Enter, Qt::KeypadModifier, u"Enter"},
            {Qt::Key_Backspace, Qt::NoModifier, u"Backspace"},
            {Qt::Key_Delete, Qt::NoModifier, u"Delete"},
            {Qt::Key_Tab, Qt::NoModifier, u"Tab"},
            {Qt::Key_Backtab, Qt::ShiftModifier, u"shift Tab"},
            {Qt::Key_Up, Qt::NoModifier, u"Up"},
            {Qt::Key_Down, Qt::NoModifier, u"Down"},
            {Qt::Key_Home, Qt::ControlModifier, u"ctrl Home"},
            {Qt::Key_End, Qt::NoModifier, u"End"},
            {Qt::Key_PageDown, Qt::NoModifier, u"PageDown"},
            {Qt::Key_Escape, Qt::NoModifier, u"Escape"},
            {Qt::Key_A, Qt::ControlModifier, u"ctrl A"},
            {Qt::Key_Z, Qt::ControlModifier, u"ctrl Z"},
            {Qt::Key_Y, Qt::ControlModifier, u"ctrl Y"},
            {Qt::Key_X, Qt::ControlModifier, u"ctrl X"},
            {Qt::Key_V, Qt::ControlModifier, u"ctrl V"},
            {Qt::Key_R, Qt::ControlModifier, u"ctrl R"},
        });
        const Key& k = oneOf(keys);
        pressKey(keyTarget(), k.key, k.modifiers, QString::fromUtf16(k.name));
    }

    // Edits of the text box, as typed or pasted; a disabled text box ignores them.
    void typeText() {
        const QString text = randomText().left(12);
        note(u"type \"%1\" into Memo1"_s.arg(visible(text)));
        for (const char32_t c : text.toUcs4()) {
            if (c == u' ')
                QTest::keyClick(form_->Memo1, Qt::Key_Space);
            else if (c == u'\n')
                QTest::keyClick(form_->Memo1, Qt::Key_Return);
            else if (c != u'\r')
                QTest::sendKeyEvent(QTest::Click, form_->Memo1, Qt::Key_unknown,
                                    QString::fromUcs4(&c, 1), Qt::NoModifier);
        }
    }

    void pasteText() {
        const QString text = chance(0.03) ? longText() : randomText();
        const bool replace = chance(0.6);
        note(u"paste%1 \"%2\" (%3 characters) into Memo1"_s
                 .arg(replace ? u" over all"_s : u""_s, visible(text.left(40)))
                 .arg(text.size()));
        QGuiApplication::clipboard()->setText(text);
        if (replace) QTest::keyClick(form_->Memo1, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(form_->Memo1, Qt::Key_V, Qt::ControlModifier);
    }

    void eraseText() {
        if (chance(0.3)) {
            note(u"erase all of Memo1"_s);
            QTest::keyClick(form_->Memo1, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(form_->Memo1, Qt::Key_Delete);
            return;
        }
        const int n = uniform(1, 5);
        note(u"Backspace %1 times in Memo1"_s.arg(n));
        for (int i = 0; i < n; ++i) QTest::keyClick(form_->Memo1, Qt::Key_Backspace);
    }

    // A book file, opened with Ctrl+O and the file dialog or dropped on the window; some files
    // cannot be opened and get an error box, and some dialogs are cancelled.
    void openBook() {
        const int pick = uniform(0, static_cast<int>(books_.size()));
        const QString file = pick < books_.size() ? books_[pick] : QString();
        badBookOpened_ = file.contains(u"bad"_s) ? QFileInfo(file).fileName() : QString();
        ++booksOpened_;
        // The dialog offers only files that are there.
        if ((chance(0.5) || file.isEmpty()) && !file.contains(u"missing"_s)) {
            dialogAnswer_ = file;
            return pressKey(keyTarget(), Qt::Key_O, Qt::ControlModifier,
                            u"ctrl O, choosing \"%1\""_s.arg(QFileInfo(file).fileName()));
        }
        note(u"drop \"%1\" on the window"_s.arg(QFileInfo(file).fileName()));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form_.get(), &drop);
    }

    // A long text and a small FB2 book, a broken EPUB and a file that is not there.
    QStringList writeBooks() {
        const QString text = folder_->file(u"book.txt"_s);
        const QString fb2 = folder_->file(u"book.fb2"_s);
        const QString broken = folder_->file(u"bad.epub"_s);
        const auto files = std::to_array<std::pair<QString, QByteArray>>({
            {text, longText().toUtf8()},
            {fb2,
             u"<FictionBook><body><title><p>Глава</p></title><p>Раз, два.</p><p>Три</p>"
             u"</body></FictionBook>"_s.toUtf8()},
            {broken, "PK\x03\x04 not a zip"},
        });
        for (const auto& [path, bytes] : files) {
            QFile file(path);
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                fail(u"cannot write "_s + path);
        }
        return {text, fb2, broken, folder_->file(u"bad-missing.txt"_s)};
    }

    // The speed list, picked as the user does: with the mouse, or with a key on the list.
    void changeSpeed() {
        QComboBox* list = form_->ComboBox1;
        if (chance(0.6)) {
            const int index = randomSpeed();
            note(u"pick speed item %1"_s.arg(index));
            list->setCurrentIndex(index);
            emit list->activated(index);
            return;
        }
        struct Key {
            Qt::Key key{};
            const char16_t* name{};
        };
        static const auto keys = std::to_array<Key>({{Qt::Key_Up, u"Up"},
                                                     {Qt::Key_Down, u"Down"},
                                                     {Qt::Key_Home, u"Home"},
                                                     {Qt::Key_End, u"End"},
                                                     {Qt::Key_PageUp, u"PageUp"},
                                                     {Qt::Key_PageDown, u"PageDown"}});
        const Key& k = oneOf(keys);
        pressKey(list, k.key, Qt::NoModifier, QString::fromUtf16(k.name));
    }

    void changeActivation() {
        platform::Activation* activation = test::activationOf(*form_);
        if (activation == nullptr) return fail(u"no activation events"_s);
        switch (uniform(0, 4)) {
            case 0:
                note(u"another program becomes active"_s);
                return activation->applicationStateChanged(Qt::ApplicationInactive);
            case 1:
                note(u"the program becomes active"_s);
                return activation->applicationStateChanged(Qt::ApplicationActive);
            case 2:
                note(u"another window of the program becomes active"_s);
                return test::setActiveWindow(otherWindow_.get());
            case 3:
                note(u"no window of the program is active"_s);
                return test::setActiveWindow(nullptr);
            default:
                note(u"the reader window becomes active"_s);
                return test::setActiveWindow(form_.get());
        }
    }

    // Now and then long enough for a statistics tick.
    void wait() {
        const int ms = chance(kLongWait) ? uniform(400, 700) : uniform(0, 60);
        note(u"wait %1 ms"_s.arg(ms));
        waitedMs_ += ms;
        QTest::qWait(ms);
    }

    // Closing and opening the program again: the vocabulary goes through its file and the
    // explanation can be shown once more. Only between whole events, never inside a cutting.
    void restartProgram() {
        if (depth_ > 1) return note(u"(no restart inside a cutting)"_s);
        note(u"restart the program"_s);
        ++restarts_;
        form_.reset();
        openWindow();
    }

    void openWindow() {
        form_ = std::make_unique<TForm1>();
        connect(form_->Timer1, &platform::Timer::tick, this, [this] { ++pacingTicks_; });
        connect(form_->Timer2, &platform::Timer::tick, this, [this] { ++statisticsTicks_; });
        form_->show();
        if (!QTest::qWaitForWindowExposed(form_.get())) fail(u"the window is not shown"_s);
        test::setActiveWindow(form_.get());
        form_->Memo1->setFocus();
        form_->ComboBox1->setCurrentIndex(kFastestSpeed);
        emit form_->ComboBox1->activated(kFastestSpeed);
        filled_ = 0;
        explanations_ = 0;
    }

    // Every box must be the one explanation of a run of the program, or the error box of a
    // file that cannot be opened. While one is open the ticks go on and the hot keys still
    // arrive.
    void answerBox(QMessageBox& box) {
        ++boxes_;
        if (!badBookOpened_.isEmpty() && box.text().contains(badBookOpened_))
            badBookOpened_.clear();
        else if (!box.text().startsWith(u"Режим обучения."_s))
            fail(u"unexpected box: "_s + box.text());
        else if (++explanations_ > 1)
            fail(u"the explanation shown twice"_s);
        for (int n = uniform(0, 3); n > 0 && failure_.isEmpty() && box.isVisible(); --n) {
            ++sent_;
            if (chance(0.5)) {
                const int ms = uniform(0, 40);
                note(u"wait %1 ms with the explanation open"_s.arg(ms));
                QTest::qWait(ms);
            } else {
                note(u"key space to the explanation box"_s);
                QTest::keyClick(&box, Qt::Key_Space);
            }
            check();
        }
        box.accept();
    }

    void injectEvent() {
        if (injectBudget_ <= 0 || !form_ || !form_->reading().cutting()) {
            injectBudget_ = 0;
            injector_.stop();
            return;
        }
        // While the explanation is open the window takes no clicks or keys.
        if (depth_ >= kMaxEventDepth || !failure_.isEmpty() || QApplication::activeModalWidget())
            return;
        --injectBudget_;
        ++nestedEvents_;
        sendOneEvent();
    }

  private slots:
    void initTestCase() {
        bool ok = false;
        seed_ = qEnvironmentVariable("ORVELL_SOAK_SEED").toULongLong(&ok);
        if (!ok) seed_ = std::random_device{}();
        random_.seed(seed_);
        const int events = qEnvironmentVariableIntValue("ORVELL_SOAK_EVENTS", &ok);
        if (ok && events > 0) total_ = events;
        trace_ = qEnvironmentVariableIntValue("ORVELL_SOAK_TRACE") != 0;
        qInfo("soak seed %llu, %d events (set by ORVELL_SOAK_SEED and ORVELL_SOAK_EVENTS)",
              static_cast<unsigned long long>(seed_), total_);

        previousMessageHandler() = qInstallMessageHandler(dropExpectedWarnings);
        folder_ = std::make_unique<test::ScratchFolder>();
        test::useFreshDataFolder();
        platform::setMessageBoxObserver([this](QMessageBox& box) { answerBox(box); });
        platform::setFileDialogObserver(
            [this](QFileDialog& dialog) { platform::answerFileDialog(dialog, dialogAnswer_); });
        books_ = writeBooks();
        injector_.setInterval(0);
        connect(&injector_, &QTimer::timeout, this, &SoakTest::injectEvent);
        otherWindow_ = std::make_unique<QWidget>();
        otherWindow_->setObjectName(u"otherWindow"_s);
        otherWindow_->show();
        QVERIFY(QTest::qWaitForWindowExposed(otherWindow_.get()));
        openWindow();
    }

    void cleanupTestCase() {
        injector_.stop();
        form_.reset();
        otherWindow_.reset();
        platform::setMessageBoxObserver({});
        platform::setFileDialogObserver({});
        folder_.reset();
        qInstallMessageHandler(previousMessageHandler());
    }

    void randomEventsKeepTheWindowInAStateOfAReading() {
        const auto began = std::chrono::steady_clock::now();
        check();
        for (int reported = 0; sent_ < total_ && failure_.isEmpty();) {
            sendOneEvent();
            if (sent_ - reported >= kProgressEvery) {
                reported = sent_;
                qInfo("%d events sent", sent_);
            }
        }
        QVERIFY2(failure_.isEmpty(), qPrintable(failure_));

        const auto seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - began);
        QStringList states;
        for (std::size_t s = 0; s < kStateCount; ++s)
            states
                << u"%1 %2"_s.arg(QString::fromLatin1(kAllowedStates[s].name)).arg(statesSeen_[s]);
        qInfo(
            "%d events in %.1f s, %.1f s of it waits (%d events from inside a cutting), %d "
            "pacing and %d statistics ticks, %d boxes, %d books opened, %d restarts, longest "
            "script %d entries; states seen: %s",
            sent_, seconds.count(), static_cast<double>(waitedMs_) / 1000, nestedEvents_,
            pacingTicks_, statisticsTicks_, boxes_, booksOpened_, restarts_, longestScript_,
            qPrintable(states.join(u", "_s)));
    }
};

}  // namespace orvell

QTEST_MAIN(orvell::SoakTest)
#include "soak_test.moc"
