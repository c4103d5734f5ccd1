// SPDX-License-Identifier: MIT
// OK and Cancel of the new-disk dialog: the last checks, and making the disk behind a progress
// dialog that keeps the window alive and can cancel between extents.
#include "editor/dialogs/frmCreateHD.h"

#include "editor/widget/Dialogs.h"
#include "editor/widget/UiText.h"
#include "platform/Paths.h"
#include "platform/Process.h"

#include <tarvonel/tarvonel.h>

#include <QApplication>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>

#include <cstdlib>
#include <exception>
#include <filesystem>

namespace fs = std::filesystem;

namespace zentravolix::editor {

namespace {

bool PathTaken(const std::string& path)
{
    std::error_code ec;
    // A dangling link or a folder of that name is as much in the way as a file.
    return fs::symlink_status(path, ec).type() != fs::file_type::not_found;
}

/** Runs qemu-img and keeps the windows painting while it works. */
disk::ToolRun RunTool(const std::string& program, const std::vector<std::string>& arguments)
{
    const platform::CommandResult r =
        platform::RunCommandAndWait(program, arguments, [] { QCoreApplication::processEvents(); });
    return disk::ToolRun{r.started, r.exitCode, r.error};
}

/** Restores the normal pointer however the creation ends. */
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

void frmCreateHD::confirm()
{
    if (m_creating)
        return;
    if (m_txtNewDisk->text().isEmpty()) {
        m_txtNewDisk->setFocus();
        return;
    }
    // A box edited without leaving it (Enter on the default button) gets its rule here.
    if (m_txtNewDisk->text() != DiskName && !applyNameRule())
        return;
    if (!sizeStillAccepted()) {
        if (m_txtDiskSize->text().isEmpty()) {
            m_dialogs.message(this, text(disk::DiskText::SizeNotNumeric),
                              text(disk::DiskText::InvalidDiskSizeTitle), MessageIcon::Warning);
            m_txtDiskSize->setFocus();
            return;
        }
        // The limit and the questions depend on the adapter and the kind chosen since.
        if (!applySizeRule())
            return;
    }
    if (PathTaken(m_names.diskName)) {
        m_dialogs.message(this, text(disk::DiskText::DiskAlreadyExists), text(disk::DiskText::FileExistsTitle),
                          MessageIcon::Critical);
        m_txtNewDisk->setFocus();
        return;
    }
    if (createDisk()) {
        Cancelled = false;
        accept();
    }
}

bool frmCreateHD::createDisk()
{
    disk::DiskRequest request;
    request.names = m_names;
    request.adapter = m_adapterType;
    request.sectorCount = m_sectorCount;
    request.kind = m_diskKind;
    request.virtualHWVersion = VirtualHWVersion > 0 ? VirtualHWVersion : disk::kDefaultVirtualHWVersion;
    request.method = m_useLibrary ? disk::CreateMethod::Library : disk::CreateMethod::External;

    const QString folder =
        m_programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : m_programFolder;
    const char* path = std::getenv("PATH");
    disk::CreateEnvironment environment;
    environment.qemuImg = disk::FindTool("qemu-img", folder.toStdString(), path ? path : "");
    environment.runCommand = &RunTool;

    QProgressDialog progress(DiskName, text(51), 0, 1000, this);
    progress.setObjectName(QStringLiteral("prgCreateHD"));
    progress.setWindowTitle(text(disk::DiskText::CreateNewHardDisk));
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumDuration(300);
    environment.progress = [&progress](const disk::CreationProgress& p) {
        const int value = p.totalBytes ? static_cast<int>(p.doneBytes * 1000 / p.totalBytes) : 0;
        progress.setValue(value);
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    };

    disk::CreateResult result;
    m_creating = true;
    m_cmdOK->setEnabled(false);
    m_cmdCancel->setEnabled(false);
    {
        WaitCursor wait;
        try {
            result = m_creator(request, environment);
        } catch (const std::exception& e) {
            // CreateDisk reports its errors; this is for an allocation failure and the like.
            result = disk::CreateResult::failure(0, disk::DiskText::None, {e.what()});
        }
    }
    progress.close();
    m_creating = false;
    m_cmdCancel->setEnabled(true);
    updateOkButton();

    switch (result.status) {
    case disk::CreateResult::Status::Created:
        DiskName = QString::fromStdString(m_names.diskName);
        Adapter = m_adapterType;
        return true;
    case disk::CreateResult::Status::MissingTool:
        m_dialogs.message(this, text(result.message), text(result.title), MessageIcon::Critical);
        return false;
    case disk::CreateResult::Status::Failed:
        m_dialogs.message(this, QString::number(result.errorNumber) + QStringLiteral(": ") + text(result.reason),
                          text(disk::DiskText::CreateNewHardDisk), MessageIcon::Critical);
        return false;
    case disk::CreateResult::Status::Cancelled:
        return false;
    }
    return false;
}

void frmCreateHD::reject()
{
    // While the disk is being made only the progress dialog's Cancel may stop it.
    if (m_creating)
        return;
    Cancelled = true;
    removeMadeFolders();
    QDialog::reject();
}

void frmCreateHD::removeMadeFolders()
{
    for (auto it = m_madeFolders.rbegin(); it != m_madeFolders.rend(); ++it) {
        std::error_code ec;
        if (fs::is_empty(*it, ec) && !ec)
            fs::remove(*it, ec);
    }
    m_madeFolders.clear();
}

QString ProposedDiskName(const std::string& vmxPath, const std::string& vmxFileName)
{
    std::string name = "NewDisk.vmdk";
    if (!vmxFileName.empty())
        name = (vmxFileName.size() >= 4 ? vmxFileName.substr(0, vmxFileName.size() - 4) : vmxFileName) + ".vmdk";
    return QString::fromStdString(platform::JoinPath(vmxPath, name));
}

void PrepareCreateHD(frmCreateHD& dialog, const tarvonel::VirtualMachine& vm, const EditorLimits& limits)
{
    const auto general = vm.Options()->GeneralOptions();
    dialog.DiskName = ProposedDiskName(general->VmxPath(), general->VmxFileName());
    // Today's versions carry their limits beyond 32 bits in the wider fields; the classic ones
    // only in the 32-bit fields.
    dialog.MaxIdeSectors = limits.MaxIdeDiskSectors > 0 ? limits.MaxIdeDiskSectors : limits.MaxIdeDiskSize;
    dialog.MaxScsiSectors = limits.MaxScsiDiskSectors > 0 ? limits.MaxScsiDiskSectors : limits.MaxScsiDiskSize;
    dialog.SataAvailable = limits.MaxSATAControllers > 0;
    dialog.NvmeAvailable = limits.MaxNVMeControllers > 0;
    dialog.VirtualHWVersion = general->HardwareVersion();
}

} // namespace zentravolix::editor
