// SPDX-License-Identifier: MIT
#include "app/CommandLine.h"

namespace zentravolix::app {

QString WholeCommandLine(const QStringList& arguments)
{
    return arguments.mid(1).join(QLatin1Char(' '));
}

} // namespace zentravolix::app
