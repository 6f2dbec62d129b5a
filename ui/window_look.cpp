// The commands that change only the window's look: display font, size and zoom, collapse and
// expand, and the web link.

#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <algorithm>

#include "ui/Unit1.h"
#include "ui/platform/fonts.h"
#include "ui/platform/shell.h"
#include "ui/platform/speed_button.h"
#include "ui/welcome_text.h"

namespace orvell {

namespace {

constexpr int kButtonBig = 16;
constexpr int kButtonSmall = 10;

struct StripSize {
    int characterHeight;
    int top;
    int height;
    int left1, width1, left2, width2, left3, width3;
};

constexpr StripSize kSmall{21, 23, 21, 30, 107, 137, 19, 150, 179};
constexpr StripSize big(int top) { return {29, top, 31, 28, 107, 135, 19, 152, 179}; }

int zoomed(int pixels, int zoom) { return (pixels * zoom + 50) / 100; }

// The width of a letter in the strip's monospaced font.
int letterWidth(const QFont& font) { return QFontMetrics(font).horizontalAdvance(u'о'); }

}  // namespace

void TForm1::SpeedButton4Click() { toggleDisplayFont(*SpeedButton4, platform::kCourierNew, 18); }

void TForm1::SpeedButton5Click() { toggleDisplayFont(*SpeedButton5, platform::kLucidaConsole, 20); }

void TForm1::toggleDisplayFont(platform::SpeedButton& button, const QString& family, int bigTop) {
    // The button's own font is small while the strip's is big.
    const bool big = button.fontHeight() != kButtonSmall;
    button.setFontHeight(big ? kButtonSmall : kButtonBig);
    stripFamily_ = family;
    stripBigTop_ = big ? bigTop : 0;
    layoutStrip();
}

void TForm1::layoutStrip() {
    const StripSize size = stripBigTop_ == 0 ? kSmall : big(stripBigTop_);
    const int zoom = settings_.look.fontZoom;
    QFont font = Label2->font();
    font.setFamily(stripFamily_);
    font.setPixelSize(size.characterHeight);
    const int letter = letterWidth(font);
    font.setPixelSize(zoomed(size.characterHeight, zoom));
    for (QLabel* label : {Label1, Label2, Label3}) label->setFont(font);
    // The letter grows about its own centre, which stays on the focus marks as it stands at
    // the chosen size; the left part ends where it begins, the right part begins where it ends.
    const int growth = letterWidth(font) - letter;
    const int left2 = size.left2 - growth / 2;
    const int left3 = size.left3 + growth - growth / 2;
    // Taller panels grow about their middle, within the strip's frame.
    const QRect inside =
        Panel4->geometry().marginsRemoved(QMargins(1, 1, 1, 1) * Panel4->frameWidth());
    const int height = std::min(zoomed(size.height, zoom), inside.height());
    const int top = std::clamp(size.top + (size.height - height) / 2, inside.top(),
                               inside.bottom() + 1 - height);
    Panel1->setGeometry(size.left1, top, left2 - size.left1, height);
    Panel2->setGeometry(left2, top, size.width2 + growth, height);
    Panel3->setGeometry(left3, top, size.left3 + size.width3 - left3, height);
}

void TForm1::SpeedButton6Click() {
    if (SpeedButton6->text() == QStringLiteral("^^")) {
        setClientHeight(kCollapsedHeight);
        SpeedButton6->setText(QStringLiteral("- -"));
    } else {
        setClientHeight(kExpandedHeight);
        SpeedButton6->setText(QStringLiteral("^^"));
    }
}

void TForm1::StatusBar1Click() { platform::openUrl(kWebPage); }

}  // namespace orvell
