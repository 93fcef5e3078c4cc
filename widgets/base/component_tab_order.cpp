// SPDX-License-Identifier: GPL-3.0-or-later
// TiComponent: the widget's place in its parent's Tab order.

#include "widgets/base/component.h"

#include <algorithm>
#include <vector>

namespace {

// The parent's child widgets that take the focus, in the order Tab visits them. The focus chain is a
// ring through every widget of the window, so walking it from the parent round to
// the parent again meets each child once.
std::vector<QWidget*> ChildrenInTabOrder(QWidget& parent)
{
    std::vector<QWidget*> children;
    QWidget* widget = parent.nextInFocusChain();
    for (int guard = 0; widget != nullptr && widget != &parent && guard < 100000; ++guard) {
        if (widget->parentWidget() == &parent && !widget->isWindow() && widget->focusPolicy() != Qt::NoFocus)
            children.push_back(widget);
        widget = widget->nextInFocusChain();
    }
    return children;
}

}  // namespace

int TiComponent::TabOrder() const
{
    QWidget* parent = parentWidget();
    if (parent == nullptr)
        return requestedTabOrder_;
    const std::vector<QWidget*> children = ChildrenInTabOrder(*parent);
    const auto it = std::find(children.begin(), children.end(), this);
    return it == children.end() ? -1 : static_cast<int>(it - children.begin());
}

void TiComponent::SetTabOrder(int value)
{
    requestedTabOrder_ = value;
    ApplyTabOrder();
}

void TiComponent::ApplyTabOrder()
{
    QWidget* parent = parentWidget();
    if (parent == nullptr || requestedTabOrder_ < 0)
        return;
    std::vector<QWidget*> children = ChildrenInTabOrder(*parent);
    children.erase(std::remove(children.begin(), children.end(), this), children.end());
    const std::size_t place = std::min(static_cast<std::size_t>(requestedTabOrder_), children.size());
    children.insert(children.begin() + static_cast<std::ptrdiff_t>(place), this);
    // Qt leaves alone an order that the chain already follows round its ring, the
    // window skipped; counted as a stop while the order is set, the window marks
    // where the order begins.
    QWidget* window = parent->window();
    const Qt::FocusPolicy windowPolicy = window->focusPolicy();
    if (windowPolicy == Qt::NoFocus)
        window->setFocusPolicy(Qt::TabFocus);
    for (std::size_t i = 1; i < children.size(); ++i)
        QWidget::setTabOrder(children[i - 1], children[i]);
    window->setFocusPolicy(windowPolicy);
}
