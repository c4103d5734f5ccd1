// SPDX-License-Identifier: MIT
#include "app/DesktopOpener.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

#include <optional>

namespace zentravolix::app {

namespace {

/** The trimmed output of a short query; nothing when it could not run, failed or took too long. */
std::optional<QString> ask(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(1000);
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

} // namespace

bool DesktopCanOpen(const QString& file)
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return true;
    const auto type = ask(xdgMime, {QStringLiteral("query"), QStringLiteral("filetype"), file});
    if (!type || type->isEmpty())
        return true;
    const auto application = ask(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), *type});
    return !application || !application->isEmpty();
}

} // namespace zentravolix::app
