// SPDX-License-Identifier: MIT
#include "app/ZentravolixApplication.h"

#include "editor/widget/Dialogs.h"
#include "editor/widget/UiText.h"

#include <tarvonel/Error.h>

#include <QWidget>

#include <cstdio>
#include <exception>

namespace zentravolix::app {

namespace {
constexpr int kUnknownError = 436;
constexpr int kRunTimeError = 437;
constexpr int kNumberedRunTimeError = 438;
} // namespace

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
        reportError(0, editor::text(kUnknownError));
    }
    return false;
}

QString ZentravolixApplication::ErrorText(int number, const QString& description)
{
    if (number == 0)
        return editor::text(kRunTimeError).arg(description);
    return editor::text(kNumberedRunTimeError).arg(number).arg(description);
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
        QString title = editor::text(1);
        if (title.isEmpty())
            title = applicationName();
        m_dialogs->message(activeWindow(), text, title, editor::MessageIcon::Critical);
    } catch (...) {
        std::fprintf(stderr, "zentravolix: %s\n", qPrintable(text));
    }
    m_reporting = false;
}

} // namespace zentravolix::app
