// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class QToolButton;

namespace zentravolix::editor {

/**
 * A pair of arrow buttons that step a number up and down within a range, for a box beside it
 * (the box shows the number; these buttons only change it). setValue() and setRange() are silent;
 * valueChanged() is sent only when the user steps.
 */
class UpDownButtons final : public QWidget {
    Q_OBJECT
public:
    explicit UpDownButtons(QWidget* parent = nullptr);

    int value() const { return m_value; }
    /** Sets the value, kept within the range, without sending valueChanged(). */
    void setValue(int value);
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    /** Sets the range (maximum below minimum becomes minimum) and keeps the value inside it. */
    void setRange(int minimum, int maximum);
    int singleStep() const { return m_step; }
    void setSingleStep(int step);

    /** One step up or down, as a click on the arrow does. */
    void stepUp();
    void stepDown();

signals:
    void valueChanged(int value);

private:
    void stepBy(int steps);

    QToolButton* m_up;
    QToolButton* m_down;
    int m_value = 0;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_step = 1;
};

} // namespace zentravolix::editor
