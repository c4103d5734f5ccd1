// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/UpDownButtons.h"

#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zentravolix::editor {

UpDownButtons::UpDownButtons(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_up = new QToolButton(this);
    m_up->setArrowType(Qt::UpArrow);
    m_up->setAutoRepeat(true);
    m_down = new QToolButton(this);
    m_down->setArrowType(Qt::DownArrow);
    m_down->setAutoRepeat(true);
    for (auto* button : {m_up, m_down}) {
        button->setFocusPolicy(Qt::NoFocus);
        // As tall together as the box beside them, whatever height the layout gives.
        button->setFixedWidth(18);
        button->setMinimumHeight(8);
        button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
        layout->addWidget(button);
    }
    connect(m_up, &QToolButton::clicked, this, &UpDownButtons::stepUp);
    connect(m_down, &QToolButton::clicked, this, &UpDownButtons::stepDown);
}

void UpDownButtons::setValue(int value)
{
    m_value = std::clamp(value, m_minimum, m_maximum);
}

void UpDownButtons::setRange(int minimum, int maximum)
{
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    setValue(m_value);
}

void UpDownButtons::setSingleStep(int step)
{
    m_step = std::max(1, step);
}

void UpDownButtons::stepUp()
{
    stepBy(1);
}

void UpDownButtons::stepDown()
{
    stepBy(-1);
}

void UpDownButtons::stepBy(int steps)
{
    // Widened so that a step near the int limits cannot overflow.
    const long long next = static_cast<long long>(m_value) + static_cast<long long>(steps) * m_step;
    const int clamped = static_cast<int>(std::clamp<long long>(next, m_minimum, m_maximum));
    if (clamped == m_value)
        return;
    m_value = clamped;
    emit valueChanged(m_value);
}

} // namespace zentravolix::editor
