// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class QToolButton;

namespace zentravolix::app {

/** Tab 0 of the main window: the two large buttons `cmdNew` and `cmdOpen`. */
class HomeTab : public QWidget {
    Q_OBJECT
public:
    explicit HomeTab(QWidget* parent = nullptr);

    QToolButton* newButton() const { return m_new; }
    QToolButton* openButton() const { return m_open; }

private:
    QToolButton* m_new = nullptr;
    QToolButton* m_open = nullptr;
};

} // namespace zentravolix::app
