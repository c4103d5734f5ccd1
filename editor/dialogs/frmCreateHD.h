// SPDX-License-Identifier: MIT
#pragma once

#include "disk/DiskCreator.h"
#include "config/ProductTables.h"
#include "editor/widget/ConfigNames.h"

#include <QDialog>
#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tarvonel {
class VirtualMachine;
}

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace zentravolix::editor {

class Dialogs;

/**
 * The modal "Create New Hard Disk" dialog: collects the new disk's file name, adapter, size, type
 * and creation method, checks them, and makes the disk. The caller sets DiskName (the proposal),
 * the size limits and the hardware version, runs exec(), and reads Cancelled and DiskName after it
 * closed. The dialog never touches the model.
 */
class frmCreateHD final : public QDialog {
    Q_OBJECT
public:
    /** Makes a disk; the default is disk::CreateDisk. Tests put their own in its place. */
    using DiskCreator =
        std::function<disk::CreateResult(const disk::DiskRequest&, const disk::CreateEnvironment&)>;

    /** dialogs shows every message and the folder browser; it must outlive the dialog. */
    explicit frmCreateHD(Dialogs& dialogs, QWidget* parent = nullptr);

    /** True unless a disk was made and the dialog closed through OK. */
    bool Cancelled = true;
    /** In: the proposed full path of the new ".vmdk" file; out: the file created. */
    QString DiskName;
    /**
     * Size limits in sectors; 0 takes the defaults (256 GiB for SCSI, 128 GiB for IDE). Today's
     * products go up to 8 TB (hosted) and 62 TB (ESXi); the SCSI limit also holds for SATA and NVMe.
     */
    std::int64_t MaxScsiSectors = 0;
    std::int64_t MaxIdeSectors = 0;
    /** Whether the machine's product version has SATA and NVMe controllers (offers those adapters). */
    bool SataAvailable = false;
    bool NvmeAvailable = false;
    /** Out: the adapter the disk was made for (its bus is where the disk belongs). */
    disk::AdapterType Adapter = disk::AdapterType::Ide;
    /** Written to ddb.virtualHWVersion by the external method; 0 takes 3. */
    std::int16_t VirtualHWVersion = 0;

    /**
     * Applies the captions, the defaults of the limits, the proposed name and the default choices
     * (IDE, 2 Gb, single growable, library method). exec() runs it once; tests call it directly.
     */
    void Load();
    /** Re-applies every caption in the current language. */
    void UpdateUILabels();
    int exec() override;

    /** Replaces the creation step (tests inject failures and watch the request). */
    void setDiskCreator(DiskCreator creator) { m_creator = std::move(creator); }
    /** Folder searched first for qemu-img; default: the program's own folder. */
    void setProgramFolder(const QString& folder) { m_programFolder = folder; }

public slots:
    void reject() override;

private:
    void buildControls();
    void connectHandlers();

    // Option handlers.
    void chooseAdapter(disk::AdapterType adapter);
    void chooseUnit(disk::SizeUnit unit);
    void chooseKind(disk::DiskKind kind);
    void chooseMethod(bool library);
    /**
     * Enables BusLogic, LsiLogic, SATA and NVMe as kind and method allow; falls back to IDE when
     * they do not.
     */
    void updateAdapterChoice();

    /** The name rule on the name box; false when the folder could not be made. */
    bool applyNameRule();
    /** The size rule on the size box; true when the size passed every check. */
    bool applySizeRule();
    /** Whether the last passed size rule still holds for the size, unit, adapter and kind shown. */
    bool sizeStillAccepted() const;
    void updateOkButton();
    void selectFolder();

    void confirm();
    /** Makes the disk behind a progress dialog with Cancel; true when it was made. */
    bool createDisk();
    /** Removes the folders this dialog made that are still empty (after Cancel). */
    void removeMadeFolders();

    /** The base folder of relative names: the proposal's folder, else the working folder. */
    std::string baseFolder() const;

    Dialogs& m_dialogs;
    DiskCreator m_creator;
    QString m_programFolder;
    bool m_loaded = false;
    bool m_creating = false;
    bool m_inNameRule = false;
    bool m_inSizeRule = false;

    // The dialog's working values.
    disk::AdapterType m_adapterType = disk::AdapterType::Ide;
    std::int64_t m_maxSectors = 0;
    double m_sizeValue = 0;
    disk::SizeUnit m_sizeUnit = disk::SizeUnit::Gb;
    std::int64_t m_sectorCount = 0;
    disk::DiskKind m_diskKind = disk::DiskKind::SingleGrowable;
    bool m_libraryAvailable = true;
    bool m_useLibrary = true;
    disk::DiskNames m_names;
    /** The size text the last size rule passed ("" when the last rule refused it). */
    QString m_acceptedSizeText;
    disk::AdapterType m_acceptedAdapter = disk::AdapterType::Ide;
    disk::DiskKind m_acceptedKind = disk::DiskKind::SingleGrowable;
    disk::SizeUnit m_acceptedUnit = disk::SizeUnit::Gb;
    std::string m_proposalFolder;
    std::vector<std::string> m_madeFolders;

    QGroupBox* m_fraMethod;
    QRadioButton* m_optMethodExternal;
    QRadioButton* m_optMethodVMware;
    QLabel* m_lblCaution;
    QGroupBox* m_fraDiskType;
    QRadioButton* m_optTypeGrow;
    QRadioButton* m_optTypeSpecial;
    QRadioButton* m_optTypeGrowSplit;
    QRadioButton* m_optTypeFixed;
    QRadioButton* m_optTypeFixedSplit;
    QGroupBox* m_fraDiskSize;
    QLineEdit* m_txtDiskSize;
    QRadioButton* m_optSizeSectors;
    QRadioButton* m_optSizeKb;
    QRadioButton* m_optSizeMb;
    QRadioButton* m_optSizeGb;
    QGroupBox* m_fraAdapter;
    QRadioButton* m_optAdaptIde;
    QRadioButton* m_optAdaptBus;
    QRadioButton* m_optAdaptLsi;
    QRadioButton* m_optAdaptSata;
    QRadioButton* m_optAdaptNvme;
    QLabel* m_lblNewDisk;
    QLineEdit* m_txtNewDisk;
    QPushButton* m_cmdBrowseFolder;
    QGroupBox* m_fraSlice;
    QRadioButton* m_optSliceDefault;
    QRadioButton* m_optSliceOther;
    QLineEdit* m_txtSliceSize;
    QRadioButton* m_optSliceCD;
    QRadioButton* m_optSliceDVD;
    QPushButton* m_cmdOK;
    QPushButton* m_cmdCancel;
};

/**
 * The name the editor proposes for a new disk: the configuration's folder followed by its file
 * name with the last four characters (".vmx") replaced by ".vmdk", or "NewDisk.vmdk" when the
 * configuration has no file name yet.
 */
QString ProposedDiskName(const std::string& vmxPath, const std::string& vmxFileName);

/**
 * What the editor hands the dialog before showing it: the proposed name from the configuration's
 * folder and file name, the product version's disk size limits (the 64-bit ones where the version
 * has them), whether it has SATA and NVMe controllers, and its hardware version.
 */
void PrepareCreateHD(frmCreateHD& dialog, const tarvonel::VirtualMachine& vm, const EditorLimits& limits);

} // namespace zentravolix::editor
