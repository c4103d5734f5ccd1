// SPDX-License-Identifier: MIT
#include "config/ConfigChecks.h"

#include "config/DeviceFieldRules.h"
#include "config/NodeAssignment.h"
#include "disk/DiskInfo.h"
#include "disk/ExtentCheck.h"
#include "vmx/VmxSyntax.h"

#include <tarvonel/tarvonel.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <system_error>
#include <tuple>

namespace zentravolix::config {

namespace {

namespace fs = std::filesystem;

// Text ids of the findings (texts.tsv).
constexpr int kTooManyCpus = 2650;
constexpr int kCoresDoNotDivide = 2764;
constexpr int kTooManyNics = 2651;
constexpr int kTooManyScsiControllers = 2652;
constexpr int kUnknownProduct = 2653;
constexpr int kSameNode = 2654;
constexpr int kNoSuchController = 2655;
constexpr int kControllerOwnNode = 2656;
constexpr int kStaticWithoutAddress = 2657;
constexpr int kMacNotSixGroups = 2658;
constexpr int kMacUsedTwice = 2659;
constexpr int kDiskMissing = 2660;
constexpr int kDiskUnreadable = 2661;
constexpr int kDiskAdapterBus = 2662;
constexpr int kDiskAdapterController = 2663;
constexpr int kExtentMissing = 2664;
constexpr int kExtentNotAFile = 2665;
constexpr int kExtentUnreadable = 2666;
constexpr int kExtentTooSmall = 2667;
constexpr int kExtentWrongCapacity = 2668;
constexpr int kDiskTooLargeForBus = 2670;
constexpr int kMemoryIs = 2669;

} // namespace

int ProblemTextId(vmx::ProblemCode code)
{
    switch (code) {
    case vmx::ProblemCode::NotANumber: return 425;
    case vmx::ProblemCode::NumberOutOfRange: return 459;
    case vmx::ProblemCode::BadIndex: return 460;
    case vmx::ProblemCode::IndexTooLarge: return 461;
    case vmx::ProblemCode::TooManyItems: return 462;
    case vmx::ProblemCode::NodeOutOfRange: return 463;
    case vmx::ProblemCode::ValueRejected: return 464;
    }
    return 465;
}

namespace {

std::string upper(std::string text)
{
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

std::string lower(std::string_view text)
{
    return vmx::ToLower(std::string(text));
}

CheckFinding finding(std::int32_t line, Severity severity, std::string code, int textId,
                     std::vector<std::string> args = {}, std::string suffix = {})
{
    CheckFinding f;
    f.line = line;
    f.severity = severity;
    f.code = std::move(code);
    f.textId = textId;
    f.args = std::move(args);
    f.suffix = std::move(suffix);
    return f;
}

std::string slotName(const std::string& bus, std::int16_t controller, std::int16_t node)
{
    return lower(bus) + std::to_string(controller) + ":" + std::to_string(node);
}

/** A hard disk, CD-ROM or generic SCSI device as the node checks see it. */
struct NodeHolder {
    std::string name;
    std::string bus;
    std::int16_t controller = -1;
    std::int16_t node = -1;
};

template <class Coll> void collectHolders(const Coll& collection, std::vector<NodeHolder>& holders)
{
    for (std::int32_t i = 1; i <= collection.Count(); ++i) {
        const auto item = collection.Item(i);
        holders.push_back({item->DisplayName(), item->BusType(), item->Controller(), item->BusNode()});
    }
}

void checkNodes(const tarvonel::clsHardware& hw, const KeyLineIndex& lines, std::vector<CheckFinding>& out)
{
    std::vector<NodeHolder> holders;
    collectHolders(*hw.HardDisks(), holders);
    collectHolders(*hw.CDRoms(), holders);
    collectHolders(*hw.GenericSCSIDevices(), holders);

    std::map<std::tuple<std::string, std::int16_t, std::int16_t>, const NodeHolder*> taken;
    for (const NodeHolder& h : holders) {
        if (h.controller < 0 || h.node < 0)
            continue;
        const auto bus = BusOfType(h.bus);
        if (!bus)
            continue;
        const std::string slot = slotName(h.bus, h.controller, h.node);
        const std::int32_t line = lines.lineOfSlot(slot);
        const std::string where = std::string(BusWord(*bus)) + " " + std::to_string(h.controller) + ":" +
                                  std::to_string(h.node);
        const auto [it, inserted] = taken.emplace(std::make_tuple(h.bus, h.controller, h.node), &h);
        if (!inserted)
            out.push_back(finding(line, Severity::Error, "node-conflict", kSameNode, {it->second->name, h.name, where}));
        if (*bus == NodeBus::IDE) {
            bool found = false;
            const auto ide = hw.IDEControllers();
            for (std::int32_t i = 1; i <= ide->Count(); ++i)
                found = found || ide->Item(i)->DeviceNum() == h.controller;
            if (!found)
                out.push_back(finding(line, Severity::Error, "no-controller", kNoSuchController, {h.name, where}));
        } else {
            const auto scsi = hw.SCSIControllers();
            std::shared_ptr<tarvonel::clsSCSIController> controller;
            for (std::int32_t i = 1; i <= scsi->Count(); ++i) {
                if (scsi->Item(i)->DeviceNum() == h.controller)
                    controller = scsi->Item(i);
            }
            if (!controller)
                out.push_back(finding(line, Severity::Error, "no-controller", kNoSuchController, {h.name, where}));
            else if (controller->BusNode() == h.node)
                out.push_back(finding(line, Severity::Error, "controller-node", kControllerOwnNode, {h.name, where}));
        }
    }
}

bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

/** Six groups of two hexadecimal digits separated by ":". */
bool isMacShape(const std::string& address)
{
    if (address.size() != 17)
        return false;
    for (std::size_t i = 0; i < address.size(); ++i) {
        if (i % 3 == 2 ? address[i] != ':' : !isHexDigit(address[i]))
            return false;
    }
    return true;
}

/** The finding code of an address outside the range of its address type. */
const char* rangeCode(std::int16_t addressType)
{
    return addressType == kMacStatic    ? "mac-static-range"
           : addressType == kMacVCenter ? "mac-vcenter-range"
                                        : "mac-generated-range";
}

void checkMacs(const tarvonel::clsHardware& hw, const KeyLineIndex& lines, CheckResult& result)
{
    const auto nics = hw.NetworkAdapters();
    for (std::int32_t i = 1; i <= nics->Count(); ++i) {
        const auto nic = nics->Item(i);
        const std::string slot = "ethernet" + std::to_string(nic->DeviceNum());
        const bool isStatic = nic->AddressType() == kMacStatic;
        const std::string address = nic->MacAddress();
        std::int32_t line = lines.lineOf(slot + (isStatic ? ".address" : ".generatedaddress"));
        if (line == 0)
            line = lines.lineOfSlot(slot);
        if (address.empty()) {
            if (isStatic)
                result.findings.push_back(
                    finding(line, Severity::Error, "mac-missing", kStaticWithoutAddress, {nic->DisplayName()}));
            continue;
        }
        if (!isMacShape(address)) {
            result.findings.push_back(finding(line, isStatic ? Severity::Error : Severity::Warning, "mac-format",
                                              kMacNotSixGroups, {nic->DisplayName(), address}));
            continue;
        }
        if (nic->AddressType() == kMacStatic || nic->AddressType() == kMacGenerated ||
            nic->AddressType() == kMacVCenter) {
            const MacGroups groups = SplitMacAddress(address);
            for (int g = 0; g < kMacGroupCount; ++g) {
                const FieldDecision d = CheckMacBox(g, groups[static_cast<std::size_t>(g)], nic->AddressType());
                if (d.refused() && d.message) {
                    // The editor's message: the address must lie in the program's range.
                    CheckFinding f = finding(line, isStatic ? Severity::Error : Severity::Warning,
                                             rangeCode(nic->AddressType()), d.message->textId,
                                             {}, d.message->textSuffix);
                    result.findings.push_back(std::move(f));
                    break;
                }
            }
        }
        result.macs.push_back({upper(address), isStatic, line, slot});
    }
}

void checkExtents(const fs::path& descriptorPath, const std::string& diskName, std::string_view text,
                  std::int32_t line, std::vector<CheckFinding>& out)
{
    const fs::path folder = descriptorPath.parent_path();
    for (const auto& extent : disk::ParseExtentLines(text)) {
        const disk::ExtentCheck c = disk::CheckExtent(folder, extent);
        switch (c.state) {
        case disk::ExtentState::Ok: break;
        case disk::ExtentState::Missing:
            out.push_back(finding(line, Severity::Error, "extent-missing", kExtentMissing, {extent.fileName, diskName}));
            break;
        case disk::ExtentState::NotAFile:
            out.push_back(
                finding(line, Severity::Error, "extent-not-a-file", kExtentNotAFile, {extent.fileName, diskName}));
            break;
        case disk::ExtentState::Unreadable:
            out.push_back(
                finding(line, Severity::Error, "extent-unreadable", kExtentUnreadable, {extent.fileName, diskName}));
            break;
        case disk::ExtentState::TooSmall:
            out.push_back(finding(line, Severity::Error, "extent-size", kExtentTooSmall,
                                  {extent.fileName, diskName, std::to_string(c.actual),
                                   std::to_string(extent.offset + extent.sectors)}));
            break;
        case disk::ExtentState::WrongCapacity:
            out.push_back(finding(line, Severity::Error, "extent-size", kExtentWrongCapacity,
                                  {extent.fileName, diskName, std::to_string(c.actual), std::to_string(extent.sectors)}));
            break;
        }
    }
}

bool endsWithVmdk(const std::string& name)
{
    return name.size() > 5 && vmx::EqualsIgnoreCase(std::string_view(name).substr(name.size() - 5), ".vmdk");
}

void checkDisks(const ConfigSession& session, const KeyLineIndex& lines, std::vector<CheckFinding>& out)
{
    const auto hw = session.Machine()->Hardware();
    const fs::path folder = session.OpenedPath().parent_path();
    const auto disks = hw->HardDisks();
    for (std::int32_t i = 1; i <= disks->Count(); ++i) {
        const auto hd = disks->Item(i);
        const std::string name = hd->DeviceName();
        // Raw disks name a host device; only disk files have a descriptor.
        if (name.empty() || !endsWithVmdk(name) || vmx::EqualsIgnoreCase(hd->DeviceType(), "rawDisk"))
            continue;
        std::int32_t line = 0;
        if (hd->Controller() >= 0 && hd->BusNode() >= 0) {
            const std::string slot = slotName(hd->BusType(), hd->Controller(), hd->BusNode());
            line = lines.lineOf(slot + ".filename");
            if (line == 0)
                line = lines.lineOfSlot(slot);
        }
        const fs::path path = fs::path(name).is_absolute() ? fs::path(name) : folder / name;
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(path, ec)) || !fs::exists(path, ec)) {
            out.push_back(finding(line, Severity::Error, "disk-missing", kDiskMissing, {name, hd->DisplayName()}));
            continue;
        }
        std::string text;
        disk::DiskInfo info;
        info.folder = path.parent_path().string() + "/";
        info.fileName = path.filename().string();
        disk::ReadOutcome read = disk::LoadDescriptorText(path.string(), text);
        if (read)
            read = disk::ParseDiskDescriptor(text, info);
        if (!read) {
            const disk::DiskMessage m = read.message();
            CheckFinding f = finding(line, Severity::Error, "disk-unreadable", kDiskUnreadable, {name, hd->DisplayName()});
            // The reason: the disk library's own text, or the system's words.
            f.detailId = disk::TextNumber(m.text);
            f.detailArgs = m.args;
            out.push_back(std::move(f));
            continue;
        }
        if (const auto bus = BusOfType(hd->BusType())) {
            const bool ideAdapter = info.adapterType == "ide";
            if (ideAdapter != (*bus == NodeBus::IDE)) {
                out.push_back(finding(line, Severity::Error, "disk-adapter", kDiskAdapterBus,
                                      {name, info.adapterType, hd->DisplayName(), BusWord(*bus)}));
            } else if (*bus == NodeBus::SCSI) {
                const auto scsi = hw->SCSIControllers();
                for (std::int32_t c = 1; c <= scsi->Count(); ++c) {
                    const auto controller = scsi->Item(c);
                    const std::int16_t type = controller->ControllerType();
                    static constexpr const char* kWords[] = {"buslogic", "lsilogic"};
                    if (controller->DeviceNum() != hd->Controller() || type < 0 || type > 1)
                        continue;
                    if ((info.adapterType == "buslogic" || info.adapterType == "lsilogic") &&
                        info.adapterType != kWords[type]) {
                        out.push_back(finding(line, Severity::Warning, "disk-controller-type", kDiskAdapterController,
                                              {name, info.adapterType, controller->DisplayName(), kWords[type]}));
                    }
                }
            }
            const EditorLimits& limits = session.Limits();
            const std::int32_t max = *bus == NodeBus::IDE ? limits.MaxIdeDiskSize : limits.MaxScsiDiskSize;
            if (max > 0 && info.sectors > max) {
                out.push_back(finding(line, Severity::Warning, "disk-size-limit", kDiskTooLargeForBus,
                                      {name, BusWord(*bus), std::to_string(info.sectors), std::to_string(max)}));
            }
        }
        checkExtents(path, name, text, line, out);
    }
}

} // namespace

const char* SeverityName(Severity severity)
{
    switch (severity) {
    case Severity::Error: return "error";
    case Severity::Warning: return "warning";
    case Severity::Note: return "note";
    }
    return "error";
}

KeyLineIndex::KeyLineIndex(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    std::int32_t number = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        pos = end;
        if (pos < text.size())
            pos += (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
        ++number;
        const std::string_view key = vmx::RawLineKey(line);
        if (key.empty())
            continue;
        ++m_keyLines;
        std::string lowerKey = lower(key);
        const auto dot = lowerKey.find('.');
        if (dot != std::string::npos && dot > 0)
            m_slots.try_emplace(lowerKey.substr(0, dot), number);
        m_keys.try_emplace(std::move(lowerKey), number);
    }
}

std::int32_t KeyLineIndex::lineOf(std::string_view key) const
{
    const auto it = m_keys.find(lower(key));
    return it == m_keys.end() ? 0 : it->second;
}

std::int32_t KeyLineIndex::lineOfSlot(std::string_view slot) const
{
    const auto it = m_slots.find(lower(slot));
    return it == m_slots.end() ? 0 : it->second;
}

std::vector<CheckFinding> CheckLimits(const ConfigSession& session, const KeyLineIndex& lines)
{
    std::vector<CheckFinding> out;
    const auto& general = *session.Machine()->Options()->GeneralOptions();
    if (!FindVersionSettings(general.TargetPlatform(), general.PlatformVersion())) {
        out.push_back(finding(0, Severity::Note, "unknown-product", kUnknownProduct));
        return out;
    }
    const EditorLimits& limits = session.Limits();
    const auto hw = session.Machine()->Hardware();
    const auto memory = hw->Memory();
    for (std::int32_t i = 1; i <= memory->Count(); ++i) {
        const std::int32_t mb = memory->Item(i)->MBs();
        const MemoryDecision d = CheckMemorySize(std::to_string(mb), limits.MaxMemoryMB);
        if (d.refused() && d.message) {
            // The editor's message, then the size and the largest allowed.
            CheckFinding f = finding(lines.lineOf("memsize"), Severity::Error, "memory-limit", d.message->textId, {},
                                     d.message->textSuffix);
            f.detailId = kMemoryIs;
            f.detailArgs = {std::to_string(mb), std::to_string(limits.MaxMemoryMB)};
            out.push_back(std::move(f));
        }
    }
    const std::int32_t cpus = hw->CPUs()->Count();
    if (limits.MaxCPUs > 0 && cpus > limits.MaxCPUs)
        out.push_back(finding(lines.lineOf("numvcpus"), Severity::Error, "cpu-limit", kTooManyCpus,
                              {std::to_string(cpus), std::to_string(limits.MaxCPUs)}));
    const std::int32_t cores = hw->CPUs()->CoresPerSocket();
    if (cores > 0 && cpus > 0 && cpus % cores != 0)
        out.push_back(finding(lines.lineOf("cpuid.corespersocket"), Severity::Error, "cores-per-socket",
                              kCoresDoNotDivide, {std::to_string(cores), std::to_string(cpus)}));
    const std::int32_t nics = hw->NetworkAdapters()->Count();
    if (limits.MaxNICs > 0 && nics > limits.MaxNICs)
        out.push_back(finding(lines.lineOfSlot("ethernet" + std::to_string(limits.MaxNICs)), Severity::Error,
                              "nic-limit", kTooManyNics, {std::to_string(nics), std::to_string(limits.MaxNICs)}));
    const std::int32_t scsi = hw->SCSIControllers()->Count();
    if (limits.MaxSCSIControllers > 0 && scsi > limits.MaxSCSIControllers)
        out.push_back(finding(lines.lineOfSlot("scsi" + std::to_string(limits.MaxSCSIControllers)), Severity::Error,
                              "scsi-controller-limit", kTooManyScsiControllers,
                              {std::to_string(scsi), std::to_string(limits.MaxSCSIControllers)}));
    return out;
}

CheckResult CheckConfiguration(const ConfigSession& session, const KeyLineIndex& lines)
{
    CheckResult result;
    auto& out = result.findings;
    for (const auto& problem : session.Problems())
        out.push_back(finding(problem.line, Severity::Warning, vmx::ProblemCodeName(problem.code),
                              ProblemTextId(problem.code), {}, ": " + problem.text));
    if (const auto refusal = session.CheckBeforeSave()) {
        CheckFinding f = finding(0, Severity::Error,
                                 refusal->kind == vmx::SaveRefusal::Kind::InvalidVmxName ? "invalid-name"
                                                                                         : "pci-devices",
                                 refusal->textId);
        f.refusal = *refusal;
        out.push_back(std::move(f));
    }
    for (auto& f : CheckLimits(session, lines))
        out.push_back(std::move(f));
    const auto hw = session.Machine()->Hardware();
    checkNodes(*hw, lines, out);
    checkMacs(*hw, lines, result);
    checkDisks(session, lines, out);
    std::stable_sort(out.begin(), out.end(),
                     [](const CheckFinding& a, const CheckFinding& b) { return a.line < b.line; });
    return result;
}

std::vector<std::pair<std::size_t, CheckFinding>> DuplicateMacs(const std::vector<std::vector<MacUse>>& uses,
                                                                 const std::vector<std::string>& files)
{
    struct Use {
        std::size_t file;
        const MacUse* mac;
    };
    std::unordered_map<std::string, std::vector<Use>> byAddress;
    for (std::size_t f = 0; f < uses.size(); ++f) {
        for (const MacUse& m : uses[f])
            byAddress[m.address].push_back({f, &m});
    }
    std::vector<std::pair<std::size_t, CheckFinding>> out;
    for (std::size_t f = 0; f < uses.size(); ++f) {
        for (const MacUse& m : uses[f]) {
            const auto& all = byAddress[m.address];
            if (all.size() < 2)
                continue;
            // Name the first other use.
            const Use* other = nullptr;
            for (const Use& u : all) {
                if (u.mac != &m) {
                    other = &u;
                    break;
                }
            }
            const std::string where = files[other->file] + ":" + std::to_string(other->mac->line);
            const bool bothStatic = m.isStatic && other->mac->isStatic;
            out.emplace_back(f, finding(m.line, bothStatic ? Severity::Error : Severity::Warning, "mac-duplicate",
                                        kMacUsedTwice, {m.address, where}));
        }
    }
    return out;
}

} // namespace zentravolix::config
