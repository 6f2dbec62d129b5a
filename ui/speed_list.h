#pragma once

#include <QComboBox>

namespace orvell {

// The speed list: an item per row of the speed table, and also any speed between two rows in
// finer steps, which the box shows as it is while the list's item stays the row below it.
class SpeedList : public QComboBox {
    Q_OBJECT

  public:
    explicit SpeedList(QWidget* parent);

    // The speed in words per minute: the item's, or the finer one set between it and the next.
    int speed() const;
    // Clamped to the table; the item becomes the row at or below it.
    void setSpeed(int wordsPerMinute);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int between_ = 0;  // a speed between the item's row and the next, 0: the item's own
};

}  // namespace orvell
