// SPDX-License-Identifier: MIT
#pragma once

// The editor's messages about reading and saving (failures, reader problems, backups, VMware's
// lock and suspend state), each built in one place from the program's own texts (407-435 of
// texts.tsv) in the current language.

#include "vmx/ReadProblem.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace zentravolix::editor::messages {

QString readFailedTitle();
/** "The configuration file <path> could not be opened: <reason>" */
QString readFailed(const QString& path, const QString& reason);

QString readProblemsTitle();
/** One message for all problems of a read, each with its line number (long lists are cut). */
QString readProblems(const QString& path, const std::vector<vmx::ReadProblem>& problems);

/**
 * "Backup Made" / "Backup file created as: <path>" and why it holds the file as opened (the
 * texts of the backup notice, shown at the first save over an opened file).
 */
QString backupMadeTitle();
QString backupMade(const QString& backupPath);

QString machineStateTitle();
QString runningOnOpen(const QString& path, const QString& lockPath);
QString suspendedOnOpen(const QString& path, const QString& stateFile);
/** A Yes/No question: save although VMware runs the machine? */
QString runningOnSave(const QString& path, const QString& lockPath);
/** Devices in the hardware list that have no node yet, and so no place in the saved file. */
QString unplacedDevicesTitle();
QString unplacedDevicesOnSave(const QStringList& devices);
QString suspendedOnSave(const QString& path, const QString& stateFile);

QString saveFailedTitle();
/** "The configuration file <path> could not be saved: <reason> ..." */
QString saveFailed(const QString& path, const QString& reason);

} // namespace zentravolix::editor::messages
