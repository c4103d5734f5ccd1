// SPDX-License-Identifier: MIT
#include "editor/widget/EditorMessages.h"

#include "editor/widget/UiText.h"

namespace zentravolix::editor::messages {

namespace {

constexpr std::size_t kMaxListedProblems = 20;

// The editor's own texts (see texts.tsv).
constexpr int kReadFailedTitle = 407;
constexpr int kReadFailed = 408;
constexpr int kReadProblemsTitle = 409;
constexpr int kReadProblems = 410;
constexpr int kReadProblemLine = 411;
constexpr int kMoreReadProblems = 412;
constexpr int kBackupMadeTitle = 413;
constexpr int kBackupCreatedAs = 414;
constexpr int kBackupExplained = 415;
constexpr int kMachineStateTitle = 416;
constexpr int kRunningOnOpen = 417;
constexpr int kSuspendedOnOpen = 418;
constexpr int kUnplacedDevicesTitle = 419;
constexpr int kUnplacedDevicesOnSave = 420;
constexpr int kRunningOnSave = 421;
constexpr int kSuspendedOnSave = 422;
constexpr int kSaveFailedTitle = 423;
constexpr int kSaveFailed = 424;

int problemReasonId(vmx::ProblemCode code)
{
    switch (code) {
    case vmx::ProblemCode::NotANumber:
        return 425;
    case vmx::ProblemCode::NumberOutOfRange:
        return 426;
    case vmx::ProblemCode::BadIndex:
        return 427;
    case vmx::ProblemCode::IndexTooLarge:
        return 428;
    case vmx::ProblemCode::TooManyItems:
        return 429;
    case vmx::ProblemCode::NodeOutOfRange:
        return 430;
    case vmx::ProblemCode::ValueRejected:
        return 431;
    }
    return 432; // the line could not be used
}

} // namespace

QString readFailedTitle()
{
    return text(kReadFailedTitle);
}

QString readFailed(const QString& path, const QString& reason)
{
    return text(kReadFailed).arg(path, reason);
}

QString readProblemsTitle()
{
    return text(kReadProblemsTitle);
}

QString readProblems(const QString& path, const std::vector<vmx::ReadProblem>& problems)
{
    QString message = text(kReadProblems).arg(path);
    const std::size_t shown = std::min(problems.size(), kMaxListedProblems);
    for (std::size_t i = 0; i < shown; ++i) {
        const auto& p = problems[i];
        message += text(kReadProblemLine)
                       .arg(p.line)
                       .arg(QString::fromStdString(p.text).trimmed(), text(problemReasonId(p.code)));
    }
    if (problems.size() > shown)
        message += text(kMoreReadProblems).arg(problems.size() - shown);
    return message;
}

QString backupMadeTitle()
{
    return text(kBackupMadeTitle);
}

QString backupMade(const QString& backupPath)
{
    return text(kBackupCreatedAs).arg(backupPath) + QStringLiteral("\n\n") + text(kBackupExplained);
}

QString machineStateTitle()
{
    return text(kMachineStateTitle);
}

QString runningOnOpen(const QString& path, const QString& lockPath)
{
    return text(kRunningOnOpen).arg(path, lockPath);
}

QString suspendedOnOpen(const QString& path, const QString& stateFile)
{
    return text(kSuspendedOnOpen).arg(path, stateFile);
}

QString unplacedDevicesTitle()
{
    return text(kUnplacedDevicesTitle);
}

QString unplacedDevicesOnSave(const QStringList& devices)
{
    return text(kUnplacedDevicesOnSave).arg(devices.join(QLatin1Char('\n')));
}

QString runningOnSave(const QString& path, const QString& lockPath)
{
    return text(kRunningOnSave).arg(path, lockPath);
}

QString suspendedOnSave(const QString& path, const QString& stateFile)
{
    return text(kSuspendedOnSave).arg(path, stateFile);
}

QString saveFailedTitle()
{
    return text(kSaveFailedTitle);
}

QString saveFailed(const QString& path, const QString& reason)
{
    return text(kSaveFailed).arg(path, reason);
}

} // namespace zentravolix::editor::messages
