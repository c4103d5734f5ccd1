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

/**
 * The files named by the arguments after the program name (no switches among them). When all of
 * them joined with blanks name an existing file, or there is only one, that is the one file (its
 * enclosing double quotes taken off); otherwise each argument is a file of its own.
 */
QStringList CommandLineFiles(const QStringList& arguments);

/** A command-line path without the double quotes around it. */
QString Unquoted(const QString& path);

} // namespace zentravolix::app
