// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/up_down_arrows.h"

#include <QToolButton>

namespace {

QToolButton* MakeArrow(QWidget* parent, Qt::ArrowType arrow)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace

UpDownArrows::UpDownArrows(QWidget* parent)
    : QWidget(parent), up_(MakeArrow(this, Qt::UpArrow)), down_(MakeArrow(this, Qt::DownArrow))
{
    connect(up_, &QToolButton::clicked, this, [this] { if (OnClick) OnClick(+1); });
    connect(down_, &QToolButton::clicked, this, [this] { if (OnClick) OnClick(-1); });
}

void UpDownArrows::resizeEvent(QResizeEvent*)
{
    const int upperHeight = height() / 2;
    up_->setGeometry(0, 0, width(), upperHeight);
    down_->setGeometry(0, upperHeight, width(), height() - upperHeight);
}
