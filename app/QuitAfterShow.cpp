// SPDX-License-Identifier: MIT
#include "app/QuitAfterShow.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace zentravolix::app {

QuitAfterShow::QuitAfterShow(QWidget* window) : QObject(window), m_window(window)
{
    window->installEventFilter(this);
}

bool QuitAfterShow::Requested()
{
    return qEnvironmentVariableIntValue("ZENTRAVOLIX_QUIT_AFTER_SHOW") != 0;
}

bool QuitAfterShow::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_done && watched == m_window && event->type() == QEvent::Paint) {
        m_done = true;
        // Closed from the event loop, once this first paint has reached the screen.
        QTimer::singleShot(0, m_window, &QWidget::close);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zentravolix::app
