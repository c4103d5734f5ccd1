// SPDX-License-Identifier: MIT
#include "app/CommandLine.h"

#include <QFileInfo>

namespace zentravolix::app {

QString WholeCommandLine(const QStringList& arguments)
{
    return arguments.mid(1).join(QLatin1Char(' '));
}

QString Unquoted(const QString& path)
{
    if (path.startsWith(QLatin1Char('"')))
        return path.mid(1, qMax(0, path.size() - 2));
    return path;
}

QStringList CommandLineFiles(const QStringList& arguments)
{
    const QStringList given = arguments.mid(1);
    if (given.isEmpty())
        return {};
    const QString whole = Unquoted(WholeCommandLine(arguments));
    if (given.size() == 1 || QFileInfo(whole).isFile())
        return {whole};
    QStringList files;
    for (const QString& argument : given)
        files.append(Unquoted(argument));
    return files;
}

} // namespace zentravolix::app
