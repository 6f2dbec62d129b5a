#include "ui/platform/dock_layout.h"

#include <QWidget>
#include <algorithm>

namespace orvell::platform {

DockLayout::DockLayout(Edge edge, QWidget* parent, QWidget* docked) : QLayout(parent), edge_(edge) {
    setContentsMargins(0, 0, 0, 0);
    addWidget(docked);
}

DockLayout::~DockLayout() { delete item_; }

void DockLayout::addItem(QLayoutItem* item) {
    delete item_;
    item_ = item;
}

QLayoutItem* DockLayout::itemAt(int index) const { return index == 0 ? item_ : nullptr; }

QLayoutItem* DockLayout::takeAt(int index) {
    if (index != 0) return nullptr;
    return std::exchange(item_, nullptr);
}

QSize DockLayout::sizeHint() const { return item_ ? item_->sizeHint() : QSize(); }

void DockLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    if (!item_) return;
    const QSize hint = item_->sizeHint();
    const int left = edge_ == Edge::Left ? rect.left() : rect.right() + 1 - hint.width();
    // A line taller than the parent (a font with a larger ascent than the one the strip was
    // made for) is lifted until its bottom meets the parent's, so descenders stay whole.
    const int height = std::max(rect.height(), hint.height());
    const int top = rect.bottom() + 1 - height;
    // Bypasses the item's own clamping to the rectangle, which would squeeze a long text.
    if (QWidget* w = item_->widget()) w->setGeometry(left, top, hint.width(), height);
}

}  // namespace orvell::platform
