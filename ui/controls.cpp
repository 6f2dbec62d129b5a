// Builds the window and its controls with their first values, in creation order.

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStatusBar>

#include "engine/speed_table.h"
#include "ui/Unit1.h"
#include "ui/pause_captions.h"
#include "ui/platform/dock_layout.h"
#include "ui/platform/fonts.h"
#include "ui/platform/progress_state.h"
#include "ui/platform/speed_button.h"
#include "ui/platform/timer.h"
#include "ui/welcome_text.h"
#include "ui/window_icon.h"

namespace orvell {

using namespace Qt::StringLiterals;

namespace {

// Font heights: the window's fonts are given by character height, the em without internal
// leading, which is what QFont's pixel size means. The font buttons' state is their font's
// pixel size, 16 or 10.
constexpr int kWindowFontHeight = 11;
constexpr int kBigStripHeight = 29;
constexpr int kFontButtonHeight = 16;
constexpr int kStatusBarHeight = 19;
constexpr int kStatusPanelInset = 2;
constexpr int kClientWidth = 363;
constexpr int kResourceClientHeight = 554;

template <typename W>
W* make(QWidget* parent, const char* name, const QRect& geometry) {
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(geometry);
    return w;
}

// A caption label, never narrower than its text.
QLabel* caption(QWidget* parent, const char* name, QRect geometry, const QString& text) {
    auto* l = make<QLabel>(parent, name, geometry);
    l->setTextFormat(Qt::PlainText);
    l->setText(text);
    geometry.setWidth(std::max(geometry.width(), l->sizeHint().width()));
    l->setGeometry(geometry);
    return l;
}

platform::SpeedButton* speedButton(QWidget* parent, const char* name, const QRect& geometry,
                                   const QString& text) {
    auto* b = new platform::SpeedButton(QString::fromLatin1(name), text, parent);
    b->setGeometry(geometry);
    return b;
}

QFrame* panel(QWidget* parent, const char* name, const QRect& geometry, const QColor& colour) {
    auto* p = make<QFrame>(parent, name, geometry);
    p->setAutoFillBackground(true);
    QPalette pal = p->palette();
    pal.setColor(QPalette::Window, colour);
    p->setPalette(pal);
    return p;
}

// A label of the display strip, docked to one edge of its panel and as wide as its text.
QLabel* stripLabel(QFrame* parent, const char* name, platform::DockLayout::Edge edge,
                   const QString& text, const QColor& colour) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    l->setFont(platform::fontOf(platform::kLucidaConsole, kBigStripHeight));
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, colour);
    l->setPalette(pal);
    l->setText(text);
    new platform::DockLayout(edge, parent, l);
    return l;
}

// A panel of the status bar: its text with a small inset from the panel's edges.
QLabel* statusPanel(QStatusBar* bar, const char* name, const QRect& geometry,
                    Qt::Alignment alignment, const QString& text) {
    auto* l = make<QLabel>(bar, name, geometry);
    l->setTextFormat(Qt::PlainText);
    l->setContentsMargins(kStatusPanelInset, 0, kStatusPanelInset, 0);
    l->setAlignment(alignment | Qt::AlignVCenter);
    l->setText(text);
    return l;
}

}  // namespace

void TForm1::setUpWindow() {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Orvell"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(programIcon());
    setFont(platform::fontOf(platform::kTahoma, kWindowFontHeight));
    setClientHeight(kResourceClientHeight);
}

void TForm1::createButtons() {
    SpeedButton1 = speedButton(this, "SpeedButton1", {24, 69, 129, 33}, u"Поехали"_s);
    SpeedButton2 = speedButton(this, "SpeedButton2", {209, 69, 129, 33}, kPauseCaption);
    SpeedButton2->setEnabled(false);
    SpeedButton2->setToolTip(u"\"Пробел\" чтобы остановить\\продолжить."_s);
    SpeedButton3 =
        speedButton(this, "SpeedButton3", {24, 108, 314, 33}, u"Вернуться на 5 сек. назад"_s);
    Label8 = caption(this, "Label8", {179, 150, 98, 13}, u"слов в минуту [+/-]"_s);
    SpeedButton4 = speedButton(this, "SpeedButton4", {286, 147, 23, 22}, QStringLiteral("A"));
    SpeedButton4->setFont(platform::fontOf(platform::kCourierNew, kFontButtonHeight));
    SpeedButton4->setToolTip(u"Большой\\маленький шрифт типа А"_s);
    SpeedButton5 = speedButton(this, "SpeedButton5", {315, 147, 23, 22}, QStringLiteral("A"));
    SpeedButton5->setFont(platform::fontOf(platform::kLucidaConsole, kFontButtonHeight, true));
    SpeedButton5->setToolTip(u"Большой\\маленький шрифт типа Б"_s);
    Label9 = caption(this, "Label9", {74, 150, 48, 13}, u"Скорость"_s);
    SpeedButton6 = speedButton(this, "SpeedButton6", {24, 147, 42, 22}, QStringLiteral("- -"));
}

void TForm1::createDisplayStrip() {
    using Edge = platform::DockLayout::Edge;
    Panel4 = panel(this, "Panel4", {24, 11, 314, 49}, Qt::white);
    Panel4->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1 = panel(this, "Panel1", {30, 22, 107, 21}, Qt::white);
    Label1 = stripLabel(Panel1, "Label1", Edge::Right, u"оо"_s, Qt::black);
    Panel2 = panel(this, "Panel2", {135, 18, 19, 31}, Qt::white);
    Label2 = stripLabel(Panel2, "Label2", Edge::Left, u"о"_s, Qt::red);
    Panel3 = panel(this, "Panel3", {152, 18, 179, 31}, Qt::white);
    Label3 = stripLabel(Panel3, "Label3", Edge::Left, u"оо"_s, Qt::black);
}

void TForm1::createTextBox() {
    Memo1 = make<QPlainTextEdit>(this, "Memo1", {24, 184, 314, 237});
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The text box keeps its line breaks as paragraphs, one unit each; the cutting reads each
    // as CR LF.
    Memo1->setPlainText(welcomeText().replace(u"\r\n"_s, u"\n"_s));
}

void TForm1::createSpeedList() {
    ComboBox1 = make<SpeedList>(this, "ComboBox1", {125, 148, 49, 21});
    ComboBox1->setEditable(false);
    for (const SpeedRow& row : SpeedTable) ComboBox1->addItem(QStringView(row.item).toString());
    ComboBox1->setCurrentIndex(kDefaultSpeedIndex);
}

void TForm1::createFocusMarks() {
    Panel5 = panel(this, "Panel5", {143, 48, 1, 10}, Qt::black);
    Panel6 = panel(this, "Panel6", {143, 11, 1, 9}, Qt::black);
}

void TForm1::createInformation() {
    GroupBox1 = make<QGroupBox>(this, "GroupBox1", {24, 427, 314, 78});
    GroupBox1->setTitle(u"Информация"_s);
    Label4 = caption(GroupBox1, "Label4", {16, 24, 76, 13}, u"Время чтения: "_s);
    Label5 = caption(GroupBox1, "Label5", {16, 40, 118, 13}, u"Слов прочитано/всего:"_s);
    Label10 = caption(GroupBox1, "Label10", {16, 56, 155, 13}, u"Скорость чтения (слов в мин):"_s);
    // The figures grow with their text; nothing stands right of them, so they simply reach to
    // the box's edge.
    Label13 = caption(GroupBox1, "Label13", {200, 24, 110, 13}, QStringLiteral("-"));
    Label14 = caption(GroupBox1, "Label14", {200, 40, 110, 13}, QStringLiteral("-"));
    Label15 = caption(GroupBox1, "Label15", {200, 56, 110, 13}, QStringLiteral("-"));
}

void TForm1::createStatusBar() {
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setCursor(Qt::PointingHandCursor);
    // Collapsed, the bar covers the top of the text box, which must not show through.
    StatusBar1->setAutoFillBackground(true);
    // The panels stand at fixed places, 0 to 250 and 250 to 300, not where the bar's own
    // layout with its margins and spacing would put them.
    statusPanel(StatusBar1, "StatusBar1Panel1", {0, 0, 250, kStatusBarHeight}, Qt::AlignLeft,
                kWebPage);
    statusPanel(StatusBar1, "StatusBar1Panel2", {250, 0, 50, kStatusBarHeight}, Qt::AlignRight,
                QStringLiteral("v.1.6"));
    setClientHeight(height());
}

void TForm1::createProgressBar() {
    ProgressBar1 = make<QProgressBar>(this, "ProgressBar1", {24, 502, 314, 13});
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    // Stored but not shown as a tooltip.
    ProgressBar1->setProperty("hint", u"Клик для смены цвета"_s);
    platform::setBarState(*ProgressBar1, platform::pbsNormal);
}

void TForm1::createLearningMode() {
    CheckBox1 = make<QCheckBox>(this, "CheckBox1", {175, 78, 20, 17});
    CheckBox1->setChecked(true);
    CheckBox1->setToolTip(
        u"Режим обучения. Каждое слово, которое показывается впервый раз - отображается "
        u"увеличенное время. "_s);
    setTabOrder(Memo1, ComboBox1);
    setTabOrder(ComboBox1, CheckBox1);
}

void TForm1::createTimers() {
    Timer1 = new platform::Timer(QStringLiteral("Timer1"), 1000, this);
    Timer2 = new platform::Timer(QStringLiteral("Timer2"), 500, this);
    Timer3 = new platform::Timer(QStringLiteral("Timer3"), 30000, this);
}

void TForm1::setClientHeight(int height) {
    setFixedSize(kClientWidth, height);
    // The status bar is docked to the bottom edge.
    if (StatusBar1)
        StatusBar1->setGeometry(0, height - kStatusBarHeight, kClientWidth, kStatusBarHeight);
}

}  // namespace orvell
