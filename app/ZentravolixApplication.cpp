// SPDX-License-Identifier: MIT
#include "app/ZentravolixApplication.h"

#include "editor/widget/Dialogs.h"
#include "platform/TextTable.h"

#include <tarvonel/Error.h>

#include <QWidget>

#include <cstdio>
#include <exception>

namespace zentravolix::app {

ZentravolixApplication::ZentravolixApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool ZentravolixApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const tarvonel::Error& e) {
        reportError(e.Number(), QString::fromStdString(e.what()));
    } catch (const std::exception& e) {
        reportError(0, QString::fromStdString(e.what()));
    } catch (...) {
        reportError(0, QStringLiteral("Unknown error"));
    }
    return false;
}

QString ZentravolixApplication::ErrorText(int number, const QString& description)
{
    if (number == 0)
        return QStringLiteral("Run-time error:\n\n") + description;
    return QStringLiteral("Run-time error '%1':\n\n%2").arg(number).arg(description);
}

void ZentravolixApplication::reportError(int number, const QString& description)
{
    const QString text = ErrorText(number, description);
    // An error raised while the message for an earlier one is open (a timer firing behind the
    // modal box) must not stack boxes without end: it goes to stderr instead.
    if (m_dialogs == nullptr || m_reporting) {
        std::fprintf(stderr, "zentravolix: %s\n", qPrintable(text));
        return;
    }
    m_reporting = true;
    try {
        QString title = QString::fromStdString(platform::LoadCaption(1));
        if (title.isEmpty())
            title = applicationName();
        m_dialogs->message(activeWindow(), text, title, editor::MessageIcon::Critical);
    } catch (...) {
        std::fprintf(stderr, "zentravolix: %s\n", qPrintable(text));
    }
    m_reporting = false;
}

} // namespace zentravolix::app
