// SPDX-License-Identifier: MIT
#include "editor/widget/EditorMessages.h"

namespace zentravolix::editor::messages {

namespace {

constexpr std::size_t kMaxListedProblems = 20;

QString problemReason(vmx::ProblemCode code)
{
    switch (code) {
    case vmx::ProblemCode::NotANumber:
        return QStringLiteral("the value is not a number");
    case vmx::ProblemCode::NumberOutOfRange:
        return QStringLiteral("the number is out of range");
    case vmx::ProblemCode::BadIndex:
        return QStringLiteral("the device or controller number is not a number");
    case vmx::ProblemCode::IndexTooLarge:
        return QStringLiteral("the node number is too large");
    case vmx::ProblemCode::TooManyItems:
        return QStringLiteral("too many devices of one kind");
    case vmx::ProblemCode::NodeOutOfRange:
        return QStringLiteral("the node is outside its controller");
    case vmx::ProblemCode::ValueRejected:
        return QStringLiteral("the value was refused");
    }
    return QStringLiteral("the line could not be used");
}

} // namespace

QString readFailedTitle()
{
    return QStringLiteral("Unable to Open Configuration");
}

QString readFailed(const QString& path, const QString& reason)
{
    return QStringLiteral("The configuration file %1 could not be opened: %2").arg(path, reason);
}

QString readProblemsTitle()
{
    return QStringLiteral("Lines Kept Unchanged");
}

QString readProblems(const QString& path, const std::vector<vmx::ReadProblem>& problems)
{
    QString text =
        QStringLiteral("Some lines of %1 could not be used. They are kept unchanged and written back "
                       "when the configuration is saved:\n")
            .arg(path);
    const std::size_t shown = std::min(problems.size(), kMaxListedProblems);
    for (std::size_t i = 0; i < shown; ++i) {
        const auto& p = problems[i];
        text += QStringLiteral("\nline %1: %2 (%3)")
                    .arg(p.line)
                    .arg(QString::fromStdString(p.text).trimmed(), problemReason(p.code));
    }
    if (problems.size() > shown)
        text += QStringLiteral("\n... and %1 more").arg(problems.size() - shown);
    return text;
}

QString backupMadeTitle()
{
    return QStringLiteral("Backup Made");
}

QString backupMade(const QString& backupPath)
{
    return QStringLiteral("Backup file created as: ") + backupPath +
           QStringLiteral("\n\nThe backup holds the file as it was opened. It is made when the file is first "
                          "saved over, so opening a file and closing it unsaved leaves an older backup as it is.");
}

QString machineStateTitle()
{
    return QStringLiteral("Virtual Machine in Use");
}

QString runningOnOpen(const QString& path, const QString& lockPath)
{
    return QStringLiteral("The virtual machine of %1 seems to be running: VMware's lock folder %2 exists.  "
                          "VMware may overwrite the changes you save here while it runs.")
        .arg(path, lockPath);
}

QString suspendedOnOpen(const QString& path, const QString& stateFile)
{
    return QStringLiteral(
               "The virtual machine of %1 is suspended (saved state %2).  Changing its hardware may "
               "keep VMware from resuming it.")
        .arg(path, stateFile);
}

QString unplacedDevicesTitle()
{
    return QStringLiteral("Devices Without a Node");
}

QString unplacedDevicesOnSave(const QStringList& devices)
{
    return QStringLiteral("These devices are not on a node of a controller yet, so the file cannot hold them:\n\n"
                          "%1\n\nGive each one its file or drive (which puts it on a free node), or remove it.  "
                          "Save without them?")
        .arg(devices.join(QLatin1Char('\n')));
}

QString runningOnSave(const QString& path, const QString& lockPath)
{
    return QStringLiteral("The virtual machine of %1 seems to be running: VMware's lock folder %2 exists.  "
                          "VMware may overwrite this file or be disturbed by the change.  Save anyway?")
        .arg(path, lockPath);
}

QString suspendedOnSave(const QString& path, const QString& stateFile)
{
    return QStringLiteral(
               "The virtual machine of %1 is suspended (saved state %2).  If its hardware changed, "
               "VMware may be unable to resume it.")
        .arg(path, stateFile);
}

QString saveFailedTitle()
{
    return QStringLiteral("Unable to Save Configuration");
}

QString saveFailed(const QString& path, const QString& reason)
{
    return QStringLiteral(
               "The configuration file %1 could not be saved: %2\n\nAn existing file of that name was "
               "left as it was; your changes are still in the editor.")
        .arg(path, reason);
}

} // namespace zentravolix::editor::messages
