// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace tarvonel {
class VirtualMachine;
}

namespace zentravolix::vmx {

/** Why a save is refused before anything is written, with the text ids and numbers of its message. */
struct SaveRefusal {
    enum class Kind {
        /** The file name or folder field is not valid ("Invalid VMX File Name and/or Folder"). */
        InvalidVmxName,
        /** More than MaxPciDevices SCSI controllers, network and sound adapters are enabled. */
        TooManyPciDevices,
        /**
         * Today's product versions have PCI bridges, so the five-device rule is not theirs; they
         * refuse more devices of one kind than the version takes (see CheckVersionLimits).
         */
        TooManyForVersion,
        /** The file is a fully encrypted configuration; its message names the file. */
        Encrypted,
    };

    Kind kind = Kind::InvalidVmxName;
    /** Text id of the message box title. */
    int titleId = 0;
    /** Text id of the message; for TooManyPciDevices the text before the number. */
    int textId = 0;
    /** TooManyPciDevices: text id of the text after the number; 0 otherwise. */
    int trailingTextId = 0;
    /** TooManyPciDevices: the number of enabled PCI devices; 0 otherwise. */
    std::int32_t deviceCount = 0;
    /** TooManyForVersion: the version's limit for the kind, the kind's text id and the product's name. */
    std::int32_t limit = 0;
    int kindTextId = 0;
    std::string product;
    /** Encrypted: the file's name, for the message's %1; empty otherwise. */
    std::string fileName;

    bool operator==(const SaveRefusal&) const = default;
};

/** VMware accepts at most this many virtual PCI devices. */
inline constexpr std::int32_t MaxPciDevices = 5;

/**
 * Enabled SCSI, SATA and NVMe controllers, network adapters and sound adapters (IDE, USB and
 * displays never count).
 */
std::int32_t CountEnabledPciDevices(const tarvonel::VirtualMachine& vm);

/**
 * The save pre-checks, in order: the file name and folder (vmxNameValid, as the editor tracks it),
 * then the PCI device count. Nothing when the save may go on.
 */
std::optional<SaveRefusal> CheckBeforeSave(const tarvonel::VirtualMachine& vm, bool vmxNameValid);

/** The limits CheckVersionLimits enforces for today's product versions. */
struct VersionDeviceLimits {
    /** "Workstation 17.x": named in the message. */
    std::string product;
    std::int32_t networkAdapters = 0;
    std::int32_t scsiControllers = 0;
    std::int32_t sataControllers = 0;
    std::int32_t nvmeControllers = 0;
};

/**
 * The save pre-checks for a version of today's products: the file name and folder, then the
 * version's own limits on network adapters, SCSI, SATA and NVMe controllers, in that order. A
 * SATA or NVMe controller whose ".present" says FALSE does not exist for VMware and is not counted.
 */
std::optional<SaveRefusal> CheckVersionLimits(const tarvonel::VirtualMachine& vm, bool vmxNameValid,
                                              const VersionDeviceLimits& limits);
/** The refusal of a save of a fully encrypted configuration named fileName. */
SaveRefusal EncryptedRefusal(const std::string& fileName);

/** True when both the folder and the file name of the model are set (the editor's rule for a valid name). */
bool VmxNameFieldsValid(const tarvonel::VirtualMachine& vm);

/**
 * The refusal's title and message through the caller's lookup of a text id (the editor and the
 * tool pass their own, in the language they run in); the message carries the device count.
 */
std::string RefusalTitle(const SaveRefusal& refusal, const std::function<std::string(int)>& text);
std::string RefusalMessage(const SaveRefusal& refusal, const std::function<std::string(int)>& text);

} // namespace zentravolix::vmx
