#include "ui/Unit1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>

#include "settings/settings_file.h"
#include "ui/platform/activation.h"
#include "ui/platform/fonts.h"
#include "ui/platform/hot_keys.h"
#include "ui/platform/mouse_events.h"
#include "ui/platform/speed_button.h"
#include "ui/platform/timer.h"
#include "ui/welcome_text.h"

namespace orvell {

TForm1::TForm1(QWidget* parent) : QWidget(parent) {
    platform::substituteMissingFonts();
    setUpWindow();
    createButtons();
    createDisplayStrip();
    createTextBox();
    createSpeedList();
    createFocusMarks();
    createInformation();
    createStatusBar();
    createProgressBar();
    createLearningMode();
    createTimers();
    connectHandlers();
    FormCreate();
    centreOnDesktop();
}

TForm1::~TForm1() { FormDestroy(); }

void TForm1::connectHandlers() {
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm1::SpeedButton3Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TForm1::SpeedButton4Click);
    connect(SpeedButton5, &QToolButton::clicked, this, &TForm1::SpeedButton5Click);
    connect(SpeedButton6, &QToolButton::clicked, this, &TForm1::SpeedButton6Click);
    connect(Memo1, &QPlainTextEdit::textChanged, this, &TForm1::Memo1Change);
    platform::onClick(*Memo1->viewport(), [this] { Memo1Click(); });
    // Only the user's picks: an item index set from code raises no change.
    connect(ComboBox1, &QComboBox::activated, this, &TForm1::ComboBox1Change);
    connect(CheckBox1, &QCheckBox::clicked, this, &TForm1::CheckBox1Click);
    platform::onMouseDown(*ProgressBar1, [this] { ProgressBar1MouseDown(); });
    platform::onClick(*StatusBar1, [this] { StatusBar1Click(); });
    connect(Timer1, &platform::Timer::tick, this, &TForm1::Timer1Timer);
    connect(Timer2, &platform::Timer::tick, this, &TForm1::Timer2Timer);
    connect(Timer3, &platform::Timer::tick, this, &TForm1::Timer3Timer);
    hotKeys = new platform::HotKeys([this](int id) { WMHotKey(id); }, *this);
    hotKeys->setObjectName(QStringLiteral("hotKeys"));
    activation = new platform::Activation(*this);
    activation->setObjectName(QStringLiteral("activation"));
    activation->onWindowDeactivate([this] { FormDeactivate(); });
    connectBookOpening();
    connectMoving();
    connectSettings();
}

void TForm1::FormCreate() {
    activation->connectApplication([this] { AppActivate(); }, [this] { AppDeactivate(); });
    setClientHeight(kCollapsedHeight);
    Label1->setText(kContactAddress.left(5));
    Label2->setText(kContactAddress.mid(5, 1));
    Label3->setText(kContactAddress.mid(6));
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    SpeedButton5Click();
    boo = true;
    if (CheckBox1->isChecked()) LoadLib();
    setUpReadingPlaces();
    setUpHistory();
    loadSettings();
}

void TForm1::FormDestroy() { saveBeforeExit(); }

void TForm1::saveBeforeExit() {
    if (savedBeforeExit_) return;
    savedBeforeExit_ = true;
    // A pause, a step back and the end have remembered the place already; a running reading
    // has not. The save waits for one in flight and writes last.
    if (Timer1->enabled()) rememberPlace(session_.core().sh());
    session_.endSitting();
    session_.waitForSaves();
    if (settingsFile_) settingsFile_->waitForSaves();
    SaveLib();
}

void TForm1::centreOnDesktop() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    QRect r(QPoint(), size());
    r.moveCenter(screen->virtualGeometry().center());
    move(r.topLeft());
}

}  // namespace orvell
