// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/Enums.h>
#include <tarvonel/Passkey.h>
#include <tarvonel/tarvonel_export.h>

#include <memory>
#include <string>

namespace tarvonel {

class clsCPUs;
class clsMemories;
class clsFloppies;
class clsParPorts;
class clsSerPorts;
class clsAudioDevices;
class clsNICs;
class clsUSBControllers;
class clsIDEControllers;
class clsSCSIControllers;
class clsHardDisks;
class clsCDRoms;
class clsGenSCSIs;
class clsDisplays;
class clsMice;
class clsSATAControllers;
class clsNVMeControllers;

/**
 * The hardware container: fifteen device collections, all empty at first, and the SATA and NVMe
 * controllers added after them.
 */
class TARVONEL_EXPORT clsHardware : public std::enable_shared_from_this<clsHardware> {
public:
    explicit clsHardware(detail::Passkey);
    ~clsHardware();
    clsHardware(const clsHardware&) = delete;
    clsHardware& operator=(const clsHardware&) = delete;

    std::shared_ptr<clsCPUs> CPUs() const { return m_cpus; }
    std::shared_ptr<clsMemories> Memory() const { return m_memory; }
    std::shared_ptr<clsFloppies> Floppies() const { return m_floppies; }
    std::shared_ptr<clsParPorts> ParallelPorts() const { return m_parallelPorts; }
    std::shared_ptr<clsSerPorts> SerialPorts() const { return m_serialPorts; }
    std::shared_ptr<clsAudioDevices> AudioDevices() const { return m_audioDevices; }
    std::shared_ptr<clsNICs> NetworkAdapters() const { return m_networkAdapters; }
    std::shared_ptr<clsUSBControllers> USBControllers() const { return m_usbControllers; }
    std::shared_ptr<clsIDEControllers> IDEControllers() const { return m_ideControllers; }
    std::shared_ptr<clsSCSIControllers> SCSIControllers() const { return m_scsiControllers; }
    std::shared_ptr<clsHardDisks> HardDisks() const { return m_hardDisks; }
    std::shared_ptr<clsCDRoms> CDRoms() const { return m_cdRoms; }
    std::shared_ptr<clsGenSCSIs> GenericSCSIDevices() const { return m_genericScsiDevices; }
    std::shared_ptr<clsDisplays> Displays() const { return m_displays; }
    std::shared_ptr<clsMice> Mice() const { return m_mice; }

    /** The type named by a text such as "Hard Disk" (any letter case); CPU for an unknown text. */
    VirtualHardwareType HWTextToType(const std::string& szHardwareTypeName) const;
    /** The name of a type ("Hard Disk"); "" for Device and any value outside the table. */
    std::string HWTypeToText(VirtualHardwareType eType) const;

    std::shared_ptr<clsSATAControllers> SATAControllers() const { return m_sataControllers; }
    std::shared_ptr<clsNVMeControllers> NVMeControllers() const { return m_nvmeControllers; }

private:
    friend struct detail::ItemAccess;
    /** Creates the collections; needs the container to be owned by a shared pointer already. */
    void CreateCollections();

    // Released in creation order.
    std::shared_ptr<clsCPUs> m_cpus;
    std::shared_ptr<clsMemories> m_memory;
    std::shared_ptr<clsFloppies> m_floppies;
    std::shared_ptr<clsParPorts> m_parallelPorts;
    std::shared_ptr<clsSerPorts> m_serialPorts;
    std::shared_ptr<clsAudioDevices> m_audioDevices;
    std::shared_ptr<clsNICs> m_networkAdapters;
    std::shared_ptr<clsUSBControllers> m_usbControllers;
    std::shared_ptr<clsIDEControllers> m_ideControllers;
    std::shared_ptr<clsSCSIControllers> m_scsiControllers;
    std::shared_ptr<clsHardDisks> m_hardDisks;
    std::shared_ptr<clsCDRoms> m_cdRoms;
    std::shared_ptr<clsGenSCSIs> m_genericScsiDevices;
    std::shared_ptr<clsDisplays> m_displays;
    std::shared_ptr<clsMice> m_mice;
    std::shared_ptr<clsSATAControllers> m_sataControllers;
    std::shared_ptr<clsNVMeControllers> m_nvmeControllers;
};

} // namespace tarvonel
