#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "engine/reading_core.h"
#include "session/reading_session.h"
#include "settings/settings.h"
#include "ui/speed_list.h"
#include "vocabulary/vocabulary.h"

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QStatusBar;

namespace orvell {

class HistoryWindow;
class SettingsDialog;
class SettingsFile;

namespace platform {
class Activation;
class HotKeys;
class SpeedButton;
class Timer;
}  // namespace platform

// The reader window. Controls keep their form names (also their object names), handlers are
// named after the control and the event, and the state of a reading lives in the controls and
// in the reading session; the handlers read the controls back instead of keeping flags.
class TForm1 : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TForm1)

  public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    static constexpr int kCollapsedHeight = 200;
    static constexpr int kExpandedHeight = 555;

    // NOLINTBEGIN(cppcoreguidelines-non-private-member-variables-in-classes): the controls are
    // the window's surface, which tests and benchmarks use as a user would.
    // Controls, in creation order (a later one is drawn over an earlier one).
    platform::SpeedButton* SpeedButton1{};  // start
    platform::SpeedButton* SpeedButton2{};  // pause and resume
    platform::SpeedButton* SpeedButton3{};  // step back
    QLabel* Label8{};
    platform::SpeedButton* SpeedButton4{};  // font A, big and small
    platform::SpeedButton* SpeedButton5{};  // font B, big and small
    QLabel* Label9{};
    platform::SpeedButton* SpeedButton6{};  // collapse and expand
    QFrame* Panel4{};                       // frame of the display strip
    QFrame* Panel1{};                       // left part of the word
    QLabel* Label1{};
    QFrame* Panel2{};  // focus letter
    QLabel* Label2{};
    QFrame* Panel3{};  // right part of the word
    QLabel* Label3{};
    QPlainTextEdit* Memo1{};
    SpeedList* ComboBox1{};
    QFrame* Panel5{};  // lower focus mark
    QFrame* Panel6{};  // upper focus mark
    QGroupBox* GroupBox1{};
    QLabel* Label4{};
    QLabel* Label5{};
    QLabel* Label10{};
    QLabel* Label13{};  // elapsed time
    QLabel* Label14{};  // entries read / last index
    QLabel* Label15{};  // measured speed
    QStatusBar* StatusBar1{};
    QProgressBar* ProgressBar1{};
    QCheckBox* CheckBox1{};     // learning mode
    platform::Timer* Timer1{};  // pacing
    platform::Timer* Timer2{};  // statistics, 500 ms
    platform::Timer* Timer3{};  // autosave, 30000 ms
    // NOLINTEND(cppcoreguidelines-non-private-member-variables-in-classes)

    // The reading as it stands, for tests and benchmarks to look at; only the controls change
    // it.
    const ReadingCore& reading() const { return session_.core(); }
    // The reader's settings as the window applies them.
    const Settings& settings() const { return settings_; }
    // Applies the settings at once, a running reading included, and keeps them for the next
    // start of the program, as the settings dialog does.
    void applySettings(const Settings& settings);

    // Opens a book file into the text box, as the file dialog and a drop do; a file that cannot
    // be read gets an error box and leaves the text as it was.
    void openFile(const QString& path);

    // Saves what outlives the program, as the window's destruction does: the place of a running
    // reading and the vocabulary, waiting for the saves. Once: a later call, the destruction's
    // included, saves nothing, so nothing is written again after the end of a session.
    void saveBeforeExit();

  private:
    // Window look.
    void FormCreate();
    void FormDestroy();
    void SpeedButton4Click();
    void SpeedButton5Click();
    void SpeedButton6Click();
    void StatusBar1Click();

    // Pacing, autosave.
    void Timer1Timer();
    void Timer3Timer();

    // Reading control.
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void WMHotKey(int id);
    void ComboBox1Change();
    void AppActivate();
    void AppDeactivate();
    void FormDeactivate();
    void Memo1Change();
    void Memo1Click();
    void CheckBox1Click();

    // Book files: drops here; Ctrl+O among the settings' window commands.
    void connectBookOpening();
    void FileOpenCommand();
    void pauseForOpening();

    // Where each book was left: remembered at a pause, a step back, the end and the exit, and
    // resumed at the next start of the book; Ctrl+R starts it over.
    void setUpReadingPlaces();
    // The reading's book was left at `position` (0: read to its end).
    void rememberPlace(std::int32_t position);
    void StartOverCommand();
    // The start button's tooltip tells where the next start begins.
    void updateStartHint();

    // Moving around the reading: the arrow and page keys, the mark of the reading's word in a
    // pause, "Читать отсюда", the chapter in the title and the time left.
    void connectMoving();
    void takeMoveKeys();
    void releaseMoveKeys();
    void moveKeyPressed(int id);
    // In a pause: marks the word of the entry last shown, or when `shown` is false the next one.
    void markReadingPlace(bool shown);
    void clearReadingMark();
    // Starts a reading at the text box's position, or moves a paused one there and resumes it.
    void ReadFromHereCommand(int position);
    // The title names the chapter that holds `entry`.
    void showChapterInTitle(std::int32_t entry);
    // The title names the book, if any, and `chapter`, if not empty.
    void showTitle(const QString& chapter = {});
    QString timeLeftHint() const;

    // Statistics.
    void Timer2Timer();
    void ProgressBar1MouseDown();

    // Steps 9 to 13 of the start, in order: resets the script, with sh where the reading begins;
    // takes j for the speed list's item and sets it as Timer1's interval; enables Timer1; cuts the
    // text of Memo1 into the script, letting pending events run after every entry (ticks,
    // clicks and hot keys are handled meanwhile); and sets k1 when the whole text is cut. A
    // newer start made from inside those events abandons this cutting: it writes nothing more
    // and leaves k1 to the newer one.
    void cutScriptFromMemo();

    // The reading's ended state: the six changes the pacing tick makes at the end of a script.
    void endReading();

    // The vocabulary file; a failure shows its error box and the program goes on. The load
    // runs in the background, and the vocabulary waits for it when first needed.
    void LoadLib();
    void SaveLib();

    // The reading history: opened at the start, its window on Ctrl+H and the strip's menu, and
    // what the reading added up to in the title after its end, until the next start.
    void setUpHistory();
    void ReadingHistoryCommand();
    void showReadingTally();
    // A sitting ended: the history window, if shown, shows it.
    void historyChanged();

    // Settings: the display strip's menu, the settings dialog (Ctrl+,), the themes and the
    // strip's font zoom (Ctrl+plus, Ctrl+minus, Ctrl+wheel over the strip).
    void connectSettings();
    void showStripMenu(QWidget& over, const QPoint& at);
    void ReadingSettingsCommand();
    // The settings kept from the last sitting, applied.
    void loadSettings();
    void applyTheme();
    // Steps the font zoom by `steps` places in kFontZooms, stopping at both ends.
    void zoomStripFont(int steps);
    // Sizes the strip's font and panels for the font buttons' choice and the zoom.
    void layoutStrip();
    void settingsChanged();

    void setUpWindow();
    void createButtons();
    void createDisplayStrip();
    void createTextBox();
    void createSpeedList();
    void createFocusMarks();
    void createInformation();
    void createStatusBar();
    void createProgressBar();
    void createLearningMode();
    void createTimers();
    void connectHandlers();
    void centreOnDesktop();

    void toggleDisplayFont(platform::SpeedButton& button, const QString& family, int bigTop);
    void setClientHeight(int height);
    // Shows a failure of the vocabulary's thread here, when this thread gets to it.
    Vocabulary::FailureHandler showFailureLater();
    void showFileError(const FileError& e);

    Vocabulary larr;  // learning vocabulary
    // The reading of the text box's text, its chapters and its lookups.
    ReadingSession session_{[this](const DisplayEntry& e) { return larr.lookup(e); },
                            [this] { return static_cast<std::int64_t>(larr.larr().size()); }};
    // The script is of the text box's text: a reading was started and the text not edited.
    bool readingHeld_ = false;
    // Where "Читать отсюда" starts the next reading, in the cut text; -1: as the book says.
    std::int32_t startPosition_ = -1;
    // The file name of the text box's book, empty for a text typed or pasted.
    QString bookName_;
    // The reading's chapter the title shows (-2: none yet).
    int titleChapter_ = -2;
    QString vrem;      // start time of the reading, long time format
    bool boo = false;  // the learning-mode explanation is still to be shown
    bool savedBeforeExit_ = false;
    Settings settings_;
    std::unique_ptr<SettingsFile> settingsFile_;  // none until the settings are loaded
    // Made at its first opening, then shown again as it was left.
    SettingsDialog* settingsDialog_{};
    HistoryWindow* historyWindow_{};
    QString historyState_;  // why the history is off, or that it started anew; empty when on
    // The font buttons' choice for the strip: the family, and the top of the big size's panels
    // (0: the small size).
    QString stripFamily_;
    int stripBigTop_ = 0;

    // Hot keys 32, 107 and 109, delivered to WMHotKey while registered.
    platform::HotKeys* hotKeys{};
    platform::Activation* activation{};
};

}  // namespace orvell
