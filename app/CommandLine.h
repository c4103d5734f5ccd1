// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

namespace zentravolix::app {

/**
 * The whole command line after the program name, as the main window takes it: one path, no
 * switches. The arguments are joined with single blanks, so an unquoted path with blanks that the
 * shell split into several arguments comes back whole. "" when there are no arguments.
 */
QString WholeCommandLine(const QStringList& arguments);

} // namespace zentravolix::app
