#include "ui/PositionBar.h"

#include <QPainter>

PositionBar::PositionBar(QStringList positionNames, QWidget* parent)
    : QScrollBar(Qt::Horizontal, parent), m_names(std::move(positionNames))
{
    setRange(0, int(m_names.size()) - 1);
    setSingleStep(1);
    setPageStep(1);
    // A scroll bar of Qt inverts its keys for scrolling views; on a slider Right means more.
    setInvertedControls(false);
    setFocusPolicy(Qt::StrongFocus);
}

void PositionBar::paintEvent(QPaintEvent* event)
{
    QScrollBar::paintEvent(event);
    if (!hasFocus())
        return;
    // The style draws no focus on a scroll bar: a dotted frame inside its edge shows it.
    QPainter painter(this);
    QPen dots(Qt::black, 0);
    dots.setDashPattern({1, 1});
    painter.setPen(dots);
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
}
