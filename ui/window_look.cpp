// The commands that change only the window's look: display font and size, collapse and
// expand, and the web link.

#include <QFrame>
#include <QLabel>

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

}  // namespace

void TForm1::SpeedButton4Click() { toggleDisplayFont(*SpeedButton4, platform::kCourierNew, 18); }

void TForm1::SpeedButton5Click() { toggleDisplayFont(*SpeedButton5, platform::kLucidaConsole, 20); }

void TForm1::toggleDisplayFont(platform::SpeedButton& button, const QString& family, int bigTop) {
    StripSize size = kSmall;
    if (button.fontHeight() == kButtonSmall) {
        button.setFontHeight(kButtonBig);
    } else {
        button.setFontHeight(kButtonSmall);
        size = big(bigTop);
    }
    for (QLabel* label : {Label1, Label2, Label3}) {
        QFont f = label->font();
        f.setFamily(family);
        f.setPixelSize(size.characterHeight);
        label->setFont(f);
    }
    Panel1->setGeometry(size.left1, size.top, size.width1, size.height);
    Panel2->setGeometry(size.left2, size.top, size.width2, size.height);
    Panel3->setGeometry(size.left3, size.top, size.width3, size.height);
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
