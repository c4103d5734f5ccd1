// SPDX-License-Identifier: MIT
#pragma once

#include "vmx/KnownKeys.h"

#include <cstdint>
#include <string>
#include <string_view>

/**
 * The spellings of the .vmx keys the reader understands and the writer writes, as the writer
 * writes them; the reader compares them ignoring letter case. Option keys are spelt in their
 * table (OptionKeys.h), with their reading and writing.
 */
namespace zentravolix::vmx::detail {

/** Keys of their own. */
namespace key {
inline constexpr std::string_view DisplayName = "displayName";
inline constexpr std::string_view ConfigVersion = "config.version";
inline constexpr std::string_view HardwareVersion = "virtualHW.version";
inline constexpr std::string_view ProductCompatibility = "virtualHW.productCompatibility";
inline constexpr std::string_view GuestOS = "guestOS";
inline constexpr std::string_view WorkingDir = "workingDir";
inline constexpr std::string_view Annotation = "annotation";
inline constexpr std::string_view NumVCpus = "numvcpus";
/** The number of shared folders (an option key: its entry is in OptionKeys.cpp). */
inline constexpr std::string_view SharedFolderCount = "sharedFolder.maxNum";
inline constexpr std::string_view Pae = "paevm";
inline constexpr std::string_view MemSize = "memsize";
inline constexpr std::string_view SoundPresent = "sound.present";
inline constexpr std::string_view SoundStartConnected = "sound.startConnected";
inline constexpr std::string_view SoundVirtualDev = "sound.virtualDev";
inline constexpr std::string_view SoundSynth = "sound.synth.operational";
inline constexpr std::string_view SoundFileName = "sound.fileName";
inline constexpr std::string_view SoundAutoDetect = "sound.autodetect";
inline constexpr std::string_view UsbPresent = "usb.present";
inline constexpr std::string_view UsbAutoConnect = "usb.generic.autoconnect";
inline constexpr std::string_view SvgaMaxWidth = "svga.maxWidth";
inline constexpr std::string_view SvgaMaxHeight = "svga.maxHeight";
inline constexpr std::string_view SvgaVramSize = "svga.vramSize";
inline constexpr std::string_view SvgaPresent = "svga.present";
inline constexpr std::string_view Enable3D = "mks.enable3d";
inline constexpr std::string_view MousePresent = "vmmouse.present";
inline constexpr std::string_view EhciPresent = "ehci.present";
inline constexpr std::string_view XhciPresent = "usb_xhci.present";
inline constexpr std::string_view CoresPerSocket = "cpuid.coresPerSocket";
inline constexpr std::string_view SvgaGraphicsMemory = "svga.graphicsMemoryKB";
inline constexpr std::string_view CpuHotAdd = "vcpu.hotadd";
inline constexpr std::string_view MemHotAdd = "mem.hotadd";
/** The resource settings of ESXi: "sched.cpu." or "sched.mem." and one of the members below. */
inline constexpr std::string_view SchedCpu = "sched.cpu";
inline constexpr std::string_view SchedMem = "sched.mem";
inline constexpr std::string_view SchedMin = ".min";
inline constexpr std::string_view SchedMax = ".max";
inline constexpr std::string_view SchedShares = ".shares";
inline constexpr std::string_view SchedUnits = ".units";
inline constexpr std::string_view SchedMinSize = ".minSize";
/** The option key that switches clustering on; its entry is in OptionKeys.cpp, the node pass looks for it too. */
inline constexpr std::string_view DiskLocking = "disk.locking";
} // namespace key

/**
 * Families of keys that carry a number after the family ("ethernet0", "sharedFolder2") or a
 * controller and node ("ide1", "scsi0:3").
 */
namespace family {
inline constexpr std::string_view SharedFolder = "sharedFolder";
inline constexpr std::string_view Floppy = "floppy";
inline constexpr std::string_view Parallel = "parallel";
inline constexpr std::string_view Serial = "serial";
inline constexpr std::string_view Ethernet = "ethernet";
inline constexpr std::string_view Ide = "ide";
inline constexpr std::string_view Scsi = "scsi";
inline constexpr std::string_view Sata = "sata";
inline constexpr std::string_view Nvme = "nvme";
} // namespace family

/** The part of a family's key after its number ("ethernet0" + ".virtualDev"). */
namespace member {
inline constexpr std::string_view Present = ".present";
inline constexpr std::string_view StartConnected = ".startConnected";
inline constexpr std::string_view FileType = ".fileType";
inline constexpr std::string_view FileName = ".fileName";
inline constexpr std::string_view AutoDetect = ".autodetect";
inline constexpr std::string_view Bidirectional = ".bidirectional";
inline constexpr std::string_view YieldOnMsrRead = ".yieldOnMsrRead";
inline constexpr std::string_view PipeEndPoint = ".pipe.endPoint";
inline constexpr std::string_view TryNoRxLoss = ".tryNoRxLoss";
inline constexpr std::string_view VirtualDev = ".virtualDev";
inline constexpr std::string_view ConnectionType = ".connectionType";
inline constexpr std::string_view VNet = ".vnet";
inline constexpr std::string_view AddressType = ".addressType";
inline constexpr std::string_view Address = ".address";
inline constexpr std::string_view GeneratedAddress = ".generatedAddress";
inline constexpr std::string_view GeneratedAddressOffset = ".generatedAddressOffset";
inline constexpr std::string_view NetworkName = ".networkName";
inline constexpr std::string_view UptCompatibility = ".uptCompatibility";
inline constexpr std::string_view WakeOnPacket = ".wakeOnPcktRcv";
inline constexpr std::string_view GuestConnectionControl = ".allowGuestConnectionControl";
inline constexpr std::string_view ClientDevice = ".clientDevice";
inline constexpr std::string_view DeviceType = ".deviceType";
inline constexpr std::string_view Mode = ".mode";
inline constexpr std::string_view Exclusive = ".exclusive";
inline constexpr std::string_view SharedBus = ".sharedBus";
inline constexpr std::string_view Enabled = ".Enabled";
inline constexpr std::string_view ReadAccess = ".readAccess";
inline constexpr std::string_view WriteAccess = ".writeAccess";
inline constexpr std::string_view HostPath = ".hostPath";
inline constexpr std::string_view GuestName = ".guestName";
inline constexpr std::string_view Expiration = ".expiration";
} // namespace member

/**
 * The words of keys that take one of a list, in the model's order: a word's position is the
 * model's code for it. The writer writes them as spelt here; the reader compares them ignoring case.
 */
namespace words {
inline constexpr std::string_view NicTypes[] = {"vlance", "vmxnet", "e1000", "e1000e", "vmxnet3"};
inline constexpr std::string_view ConnectionTypes[] = {"bridged", "hostonly", "nat", "custom"};
inline constexpr std::string_view ScsiControllerTypes[] = {"buslogic", "lsilogic", "lsisas1068", "pvscsi"};
/** The third sound type is "sb16" with its synthesizer (sound.synth.operational). */
inline constexpr std::string_view SoundTypes[] = {"es1371", "sb16"};
/** The first codes of the types only today's products offer. */
inline constexpr std::int16_t kFirstNewerNicType = 3;
inline constexpr std::int16_t kFirstNewerScsiType = 2;
/** Sound type 3, after sb16 with its synthesizer. */
inline constexpr std::string_view SoundHdAudio = "hdaudio";
/** Sound type code of SoundHdAudio. */
inline constexpr std::int16_t kSoundHdAudioCode = 3;
/** sound.fileName of the host's default sound device. */
inline constexpr std::string_view SoundHostDefault = "-1";
/** ethernetN.addressType; the code is the adapter's AddressType. */
inline constexpr std::string_view AddressTypes[] = {"generated", "static", "vpx"};
inline constexpr std::string_view SnapshotActions[] = {"keep", "autoRevert", "autoCommit", "prompt"};
/** tools.upgrade.policy, by clsPower::ToolsUpgradePolicy. */
inline constexpr std::string_view ToolsUpgradePolicies[] = {"manual", "upgradeAtPowerCycle", "useGlobal"};
/** sched.*.shares as a level, by ResourceAllocation::SharesLevel. */
inline constexpr std::string_view SharesLevels[] = {"low", "normal", "high"};
/** sched.*.max without a bound. */
inline constexpr std::string_view Unlimited = "unlimited";
/** sched.cpu.units: the only unit the processor amounts are given in. */
inline constexpr std::string_view Mhz = "mhz";
/** virtualHW.productCompatibility: code 0 for the desktop products, 1 for ESXi. */
inline constexpr std::string_view ProductCompatibilities[] = {"hosted", "esx"};
} // namespace words

/**
 * A member's key made of the family's key prefix with its number ("ethernet0") and the member,
 * held in place: the writer makes one for most of its lines and passes it on as a view.
 */
class MemberKey {
public:
    MemberKey(std::string_view prefix, std::string_view member)
    {
        m_size = prefix.size() + member.size();
        if (m_size <= sizeof(m_short)) {
            prefix.copy(m_short, prefix.size());
            member.copy(m_short + prefix.size(), member.size());
        } else {
            m_long.reserve(m_size);
            m_long += prefix;
            m_long += member;
        }
    }

    std::string_view view() const { return m_size <= sizeof(m_short) ? std::string_view(m_short, m_size) : m_long; }
    operator std::string_view() const { return view(); }
    std::string str() const { return std::string(view()); }

private:
    char m_short[48];
    std::size_t m_size = 0;
    std::string m_long;
};

/** A member's key: the family's key prefix with its number ("ethernet0") and the member. */
inline MemberKey memberKey(std::string_view prefix, std::string_view member)
{
    return MemberKey(prefix, member);
}

/** The values the clustering option writes at scsi0:0 and scsi0:1. */
inline constexpr std::string_view kClusteringSharedBus = "virtual";
inline constexpr std::string_view kClusteringMode = "independent-persistent";
inline constexpr std::string_view kClusteringDeviceType = "plainDisk";

/** Where a key of the list below stands: a key of its own, or a member of a family (never an option). */
using KeyPlace = KnownKeyPlace;

/** A key the reader takes into the model (besides the option keys). */
struct KnownKey {
    KeyPlace place;
    /** The key (Own) or the member's part ("present"). */
    std::string_view name;
    /** Why the writer never writes it; empty for a key the writer writes. */
    std::string_view notWritten = {};
};

/**
 * Every key, apart from the option keys, that the reader takes into the model. A key added to the
 * reader belongs here, with the reason when the writer does not write it back.
 */
inline constexpr KnownKey kKnownKeys[] = {
    {KeyPlace::Own, key::DisplayName},
    {KeyPlace::Own, key::ConfigVersion},
    {KeyPlace::Own, key::HardwareVersion},
    {KeyPlace::Own, key::ProductCompatibility},
    {KeyPlace::Own, key::GuestOS},
    {KeyPlace::Own, key::WorkingDir},
    {KeyPlace::Own, key::Annotation},
    {KeyPlace::Own, key::NumVCpus},
    {KeyPlace::Own, key::Pae},
    {KeyPlace::Own, key::MemSize},
    {KeyPlace::Own, key::SoundPresent},
    {KeyPlace::Own, key::SoundStartConnected},
    {KeyPlace::Own, key::SoundVirtualDev},
    {KeyPlace::Own, key::SoundSynth},
    {KeyPlace::Own, key::SoundFileName},
    {KeyPlace::Own, key::SoundAutoDetect},
    {KeyPlace::Own, key::UsbPresent},
    {KeyPlace::Own, key::UsbAutoConnect},
    {KeyPlace::Own, key::SvgaMaxWidth},
    {KeyPlace::Own, key::SvgaMaxHeight},
    {KeyPlace::Own, key::SvgaVramSize},
    {KeyPlace::Own, key::SvgaPresent},
    {KeyPlace::Own, key::Enable3D},
    {KeyPlace::Own, key::MousePresent},
    {KeyPlace::Own, key::EhciPresent},
    {KeyPlace::Own, key::XhciPresent},
    {KeyPlace::Own, key::CoresPerSocket},
    {KeyPlace::Own, key::SvgaGraphicsMemory},
    {KeyPlace::Own, key::CpuHotAdd},
    {KeyPlace::Own, key::MemHotAdd},
    {KeyPlace::Own, "sched.cpu.min"},
    {KeyPlace::Own, "sched.cpu.max"},
    {KeyPlace::Own, "sched.cpu.units"},
    {KeyPlace::Own, "sched.cpu.shares"},
    {KeyPlace::Own, "sched.mem.min"},
    {KeyPlace::Own, "sched.mem.minSize"},
    {KeyPlace::Own, "sched.mem.max"},
    {KeyPlace::Own, "sched.mem.shares"},
    {KeyPlace::SharedFolder, member::Present},
    {KeyPlace::SharedFolder, member::Enabled},
    {KeyPlace::SharedFolder, member::ReadAccess},
    {KeyPlace::SharedFolder, member::WriteAccess},
    {KeyPlace::SharedFolder, member::HostPath},
    {KeyPlace::SharedFolder, member::GuestName},
    {KeyPlace::SharedFolder, member::Expiration},
    {KeyPlace::Floppy, member::Present},
    {KeyPlace::Floppy, member::StartConnected},
    {KeyPlace::Floppy, member::FileType},
    {KeyPlace::Floppy, member::FileName},
    {KeyPlace::Floppy, member::AutoDetect},
    {KeyPlace::Floppy, member::ClientDevice},
    {KeyPlace::Parallel, member::Present},
    {KeyPlace::Parallel, member::StartConnected},
    {KeyPlace::Parallel, member::FileType},
    {KeyPlace::Parallel, member::FileName},
    {KeyPlace::Parallel, member::AutoDetect},
    {KeyPlace::Parallel, member::Bidirectional},
    {KeyPlace::Serial, member::Present},
    {KeyPlace::Serial, member::StartConnected},
    {KeyPlace::Serial, member::FileType},
    {KeyPlace::Serial, member::FileName},
    {KeyPlace::Serial, member::AutoDetect},
    {KeyPlace::Serial, member::YieldOnMsrRead},
    {KeyPlace::Serial, member::PipeEndPoint},
    {KeyPlace::Serial, member::TryNoRxLoss},
    {KeyPlace::Ethernet, member::Present},
    {KeyPlace::Ethernet, member::StartConnected},
    {KeyPlace::Ethernet, member::VirtualDev},
    {KeyPlace::Ethernet, member::VNet},
    {KeyPlace::Ethernet, member::ConnectionType},
    {KeyPlace::Ethernet, member::AddressType},
    {KeyPlace::Ethernet, member::Address},
    {KeyPlace::Ethernet, member::GeneratedAddress},
    {KeyPlace::Ethernet, member::GeneratedAddressOffset},
    {KeyPlace::Ethernet, member::NetworkName},
    {KeyPlace::Ethernet, member::UptCompatibility},
    {KeyPlace::Ethernet, member::WakeOnPacket},
    {KeyPlace::Ethernet, member::GuestConnectionControl},
    {KeyPlace::IdeController, member::Present},
    {KeyPlace::ScsiController, member::Present},
    {KeyPlace::ScsiController, member::VirtualDev},
    {KeyPlace::IdeNode, member::Present},
    {KeyPlace::IdeNode, member::FileName},
    {KeyPlace::IdeNode, member::DeviceType},
    {KeyPlace::IdeNode, member::Mode},
    {KeyPlace::IdeNode, member::StartConnected},
    {KeyPlace::IdeNode, member::Exclusive},
    {KeyPlace::IdeNode, member::AutoDetect},
    {KeyPlace::IdeNode, member::ClientDevice},
    {KeyPlace::ScsiNode, member::Present},
    {KeyPlace::ScsiNode, member::FileName},
    {KeyPlace::ScsiNode, member::DeviceType},
    {KeyPlace::ScsiNode, member::Mode},
    {KeyPlace::ScsiNode, member::StartConnected},
    {KeyPlace::ScsiNode, member::Exclusive},
    {KeyPlace::ScsiNode, member::AutoDetect},
    {KeyPlace::ScsiNode, member::ClientDevice},
    {KeyPlace::ScsiNode, member::SharedBus},
    {KeyPlace::SataController, member::Present},
    {KeyPlace::NvmeController, member::Present},
    {KeyPlace::SataNode, member::Present},
    {KeyPlace::SataNode, member::FileName},
    {KeyPlace::SataNode, member::DeviceType},
    {KeyPlace::SataNode, member::Mode},
    {KeyPlace::SataNode, member::StartConnected},
    {KeyPlace::SataNode, member::AutoDetect},
    {KeyPlace::SataNode, member::ClientDevice},
    {KeyPlace::NvmeNode, member::Present},
    {KeyPlace::NvmeNode, member::FileName},
    {KeyPlace::NvmeNode, member::DeviceType},
    {KeyPlace::NvmeNode, member::Mode},
};

} // namespace zentravolix::vmx::detail
