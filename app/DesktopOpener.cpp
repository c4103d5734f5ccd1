// SPDX-License-Identifier: MIT
#include "app/DesktopOpener.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTextStream>

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

/** The Exec value of the [Desktop Entry] group of one file; empty when it has none. */
QString execOf(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&file);
    bool inEntry = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inEntry || !line.startsWith(QLatin1String("Exec")))
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals > 0 && line.left(equals).trimmed() == QLatin1String("Exec"))
            return line.mid(equals + 1).trimmed();
    }
    return {};
}

} // namespace

QStringList DesktopExecArguments(const QString& exec, const QString& file)
{
    // Split first (quoted arguments keep their blanks, backslash escapes the next character inside
    // quotes), then expand the field codes of each argument.
    QStringList words;
    QString word;
    bool quoted = false;
    bool inWord = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (quoted) {
            if (c == QLatin1Char('\\') && i + 1 < exec.size()) {
                word += exec[++i];
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                word += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
            inWord = true;
        } else if (c.isSpace()) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words << word;

    QStringList arguments;
    bool fileGiven = false;
    for (const QString& w : words) {
        if (w == QLatin1String("%f") || w == QLatin1String("%F") || w == QLatin1String("%u") ||
            w == QLatin1String("%U")) {
            arguments << file;
            fileGiven = true;
            continue;
        }
        QString expanded;
        for (qsizetype i = 0; i < w.size(); ++i) {
            if (w[i] != QLatin1Char('%') || i + 1 >= w.size()) {
                expanded += w[i];
                continue;
            }
            const QChar code = w[++i];
            if (code == QLatin1Char('%')) {
                expanded += QLatin1Char('%');
            } else if (QStringLiteral("fFuU").contains(code)) {
                expanded += file;
                fileGiven = true;
            }
            // %i, %c, %k and the deprecated codes stand for nothing here.
        }
        if (!expanded.isEmpty())
            arguments << expanded;
    }
    if (arguments.isEmpty())
        return {};
    if (!fileGiven)
        arguments << file;
    return arguments;
}

QString FindDesktopEntryExec(const QString& id)
{
    if (id.isEmpty() || id.contains(QLatin1Char('/')) || id.startsWith(QLatin1Char('.')))
        return {};
    for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
        const QString path = QDir(folder).filePath(id);
        if (QFile::exists(path))
            return execOf(path);
    }
    return {};
}

DesktopLaunch PlanDesktopLaunch(const QString& file)
{
    DesktopLaunch plan;
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return plan;
    const auto application =
        ask(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), QString::fromLatin1(kVmxMimeType)});
    if (!application)
        return plan; // the desktop could not be asked: its opener may still know better
    // xdg-mime may name several entries; the first one is the default.
    plan.application = application->split(QLatin1Char(';'), Qt::SkipEmptyParts).value(0).trimmed();
    // This program edits configurations; it does not start them.
    if (plan.application.isEmpty() ||
        plan.application == QString::fromLatin1(kDesktopId) + QStringLiteral(".desktop")) {
        plan.kind = DesktopLaunch::Kind::NoApplication;
        return plan;
    }
    const QStringList arguments = DesktopExecArguments(FindDesktopEntryExec(plan.application), file);
    if (arguments.isEmpty())
        return plan; // named but not found here: the opener resolves it in its own way
    plan.kind = DesktopLaunch::Kind::Application;
    plan.program = arguments.front();
    plan.arguments = arguments.mid(1);
    return plan;
}

} // namespace zentravolix::app
