#pragma once

#include <QLayout>
#include <utility>

namespace orvell::platform {

// Docks a single widget to the left or right edge of its parent at the full height, as wide
// as the widget wants to be. A widget wider than its parent runs over the far edge and is cut
// there, so the docked edge always stays put.
class DockLayout : public QLayout {
    Q_DISABLE_COPY_MOVE(DockLayout)

  public:
    enum class Edge { Left, Right };

    DockLayout(Edge edge, QWidget* parent, QWidget* docked);
    ~DockLayout() override;

    void addItem(QLayoutItem* item) override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    int count() const override { return item_ ? 1 : 0; }
    QSize sizeHint() const override;
    QSize minimumSize() const override { return {0, 0}; }
    void setGeometry(const QRect& rect) override;

  private:
    Edge edge_;
    QLayoutItem* item_ = nullptr;
};

}  // namespace orvell::platform
