#include "ui/speed_list.h"

#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <algorithm>

#include "engine/speed_table.h"

namespace orvell {

SpeedList::SpeedList(QWidget* parent) : QComboBox(parent) {
    // An item picked from the list is its row's own speed; connected before any handler.
    connect(this, &QComboBox::activated, this, [this] {
        between_ = 0;
        update();
    });
}

int SpeedList::speed() const {
    return between_ != 0 ? between_ : speedOfRow(std::max(currentIndex(), 0));
}

void SpeedList::setSpeed(int wordsPerMinute) {
    const int speed = std::clamp(wordsPerMinute, kSlowest, kFastest);
    const int row = rowAtOrBelow(speed);
    between_ = speed == speedOfRow(row) ? 0 : speed;
    setCurrentIndex(row);
    update();
}

// As the box paints itself, with the speed between two rows in place of the item's text.
void SpeedList::paintEvent(QPaintEvent* /*event*/) {
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    if (between_ != 0) option.currentText = QString::number(between_);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

}  // namespace orvell
