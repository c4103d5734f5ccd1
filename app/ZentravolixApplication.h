// SPDX-License-Identifier: MIT
#pragma once

#include <QApplication>
#include <QString>

namespace zentravolix::editor {
class Dialogs;
}

namespace zentravolix::app {

/**
 * The program's QApplication: the one place where an exception that escaped an event handler,
 * a slot or a timer is caught. It is shown as a message (error number and description) and the
 * event loop goes on, so every open tab and its unsaved changes survive.
 */
class ZentravolixApplication : public QApplication {
    Q_OBJECT
public:
    ZentravolixApplication(int& argc, char** argv);

    /** Where the error messages go; without dialogs they are written to stderr. Not owned. */
    void setDialogs(editor::Dialogs* dialogs) { m_dialogs = dialogs; }
    editor::Dialogs* dialogs() const { return m_dialogs; }

    bool notify(QObject* receiver, QEvent* event) override;

    /** The message text for a run-time error: number (when there is one) and description. */
    static QString ErrorText(int number, const QString& description);

private:
    void reportError(int number, const QString& description);

    editor::Dialogs* m_dialogs = nullptr;
    bool m_reporting = false;
};

} // namespace zentravolix::app
