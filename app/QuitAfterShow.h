// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QWidget;

namespace zentravolix::app {

/**
 * Closes a window as soon as it has been painted for the first time. Used by start-up
 * measurements (environment variable ZENTRAVOLIX_QUIT_AFTER_SHOW=1): the program goes through
 * its whole normal start and shutdown, with the user's part left out.
 */
class QuitAfterShow : public QObject {
    Q_OBJECT
public:
    explicit QuitAfterShow(QWidget* window);

    /** True when the environment asks for it. */
    static bool Requested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    bool m_done = false;
};

} // namespace zentravolix::app
