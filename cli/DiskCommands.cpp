// SPDX-License-Identifier: MIT
#include "cli/DiskCommands.h"

#include "disk/DiskInfo.h"
#include "disk/DiskNames.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <cctype>
#include <filesystem>
#include <map>
#include <vector>

namespace fs = std::filesystem;

namespace zentravolix::cli {

namespace {

using disk::DiskText;

// The tool's own texts (texts.tsv).
constexpr int kDiskNameEmpty = 470;
constexpr int kSizeNeedsUnit = 471;
constexpr int kNotConfirmed = 472;
constexpr int kAdapterNotAvailable = 473;
constexpr int kHwVersionIgnored = 474;
constexpr int kCannotCreateFolder = 475;
constexpr int kCreated = 476;
constexpr int kCreating = 477;

/** A disk library message in the tool's language: its text filled in, or the system's own words. */
std::string Say(const Context& c, const disk::DiskMessage& message)
{
    if (message.text == DiskText::None) {
        std::string joined;
        for (const std::string& arg : message.args)
            joined += (joined.empty() ? "" : ": ") + arg;
        return joined;
    }
    return c.text ? platform::FillTextFrom(c.text(disk::TextNumber(message.text)), message.args) : std::string();
}

struct CreateOptions {
    std::string path;
    std::string size;
    std::string adapter;
    std::string type;
    std::string method = "library";
    int hwVersion = disk::kDefaultVirtualHWVersion;
    std::int64_t maxIdeSectors = 0;
    std::int64_t maxScsiSectors = 0;
    bool yes = false;
};

struct InfoOptions {
    std::string path;
    bool json = false;
};

/** The `--type` values, from the disk module's table of kinds. */
std::vector<std::string> KindNames()
{
    std::vector<std::string> names;
    for (const auto& row : disk::DiskKinds())
        names.emplace_back(row.commandName);
    return names;
}

disk::DiskKind KindNamed(const std::string& name)
{
    for (const auto& row : disk::DiskKinds()) {
        if (name == row.commandName)
            return row.kind;
    }
    return disk::DiskKind::SingleGrowable; // the option's check admits only the names above
}

std::string Text(const Context& c, DiskText id)
{
    return c.text ? c.text(disk::TextNumber(id)) : std::string();
}

/** "Title: message" on err, like the dialog's message box. */
int Refuse(Context& c, DiskText title, const disk::DiskMessage& message, int code = ExitRefused)
{
    c.err << Text(c, title) << ": " << Say(c, message) << "\n";
    return code;
}

int Refuse(Context& c, DiskText title, DiskText message, int code = ExitRefused)
{
    return Refuse(c, title, disk::DiskMessage{message, {}}, code);
}

/** Draws "\r<name>: NN%" while the disk is made; on a terminal only. */
class ProgressLine {
public:
    ProgressLine(Context& c, std::string name) : m_context(c), m_name(std::move(name)) {}
    ~ProgressLine()
    {
        if (m_drawn)
            m_context.out << "\n" << std::flush;
    }

    disk::ProgressCallback callback()
    {
        if (!m_context.progressLine)
            return {};
        return [this](const disk::CreationProgress& p) {
            const int percent = p.totalBytes ? static_cast<int>(p.doneBytes * 100 / p.totalBytes) : 100;
            if (percent != m_percent) {
                m_percent = percent;
                m_drawn = true;
                m_context.out << "\r" << Say(m_context, kCreating, {m_name, std::to_string(percent)})
                              << std::flush;
            }
            return true;
        };
    }

private:
    Context& m_context;
    std::string m_name;
    int m_percent = -1;
    bool m_drawn = false;
};

int CreateCommand(Context& c, const CreateOptions& o)
{
    const auto adapter = disk::ParseAdapterType(o.adapter);
    const disk::DiskKind kind = KindNamed(o.type);
    const disk::CreateMethod method =
        o.method == "external" ? disk::CreateMethod::External : disk::CreateMethod::Library;
    if (o.path.empty()) {
        c.err << "PATH: " << Say(c, kDiskNameEmpty) << "\n";
        return ExitRefused;
    }
    const std::optional<SizeArgument> size = SplitSizeArgument(o.size);
    if (!size) {
        c.err << "--size: " << Say(c, kSizeNeedsUnit, {o.size}) << "\n";
        return ExitRefused;
    }
    const std::optional<double> value = disk::ParseSizeValue(size->number);
    if (!value)
        return Refuse(c, DiskText::InvalidDiskSizeTitle, DiskText::SizeNotNumeric);

    std::error_code ec;
    const fs::path absolute = fs::absolute(o.path, ec);
    const disk::DiskNames names = disk::ApplyNameRule(ec ? o.path : absolute.string());
    const std::int64_t sectors = disk::SizeToSectors(*value, size->unit);
    const disk::DiskLimits limits{o.maxScsiSectors, o.maxIdeSectors, 0};
    const disk::SizeCheck check =
        disk::CheckDiskSize(sectors, *adapter, kind, limits.maxSectors(*adapter), [&](disk::SizeQuestion q) {
            c.err << Text(c, disk::QuestionTitle(q)) << ": " << Text(c, disk::QuestionText(q)) << "\n";
            return o.yes;
        });
    if (check.verdict == disk::SizeCheck::Verdict::Declined) {
        c.err << Say(c, kNotConfirmed) << "\n";
        return ExitRefused;
    }
    if (!check.accepted())
        return Refuse(c, DiskText::InvalidDiskSizeTitle, check.text());
    if (!disk::AdapterSelectable(*adapter, kind, method)) {
        c.err << Say(c, kAdapterNotAvailable, {o.adapter, o.type}) << "\n";
        return ExitRefused;
    }
    const bool fullPathWritten = method == disk::CreateMethod::External && kind == disk::DiskKind::SinglePreallocated;
    if (const DiskText reason = disk::UnwritableNameReason(names, fullPathWritten); reason != DiskText::None) {
        c.err << "PATH: " << Say(c, disk::DiskMessage{reason, {o.path}}) << "\n";
        return ExitRefused;
    }
    if (fs::symlink_status(names.diskName, ec).type() != fs::file_type::not_found)
        return Refuse(c, DiskText::FileExistsTitle, DiskText::DiskAlreadyExists);
    if (method == disk::CreateMethod::Library && o.hwVersion != disk::kDefaultVirtualHWVersion)
        c.err << Say(c, kHwVersionIgnored) << "\n";

    bool madeFolder = false;
    if (const std::error_code folderError = disk::EnsureDiskFolder(names.folder, madeFolder)) {
        c.err << Say(c, kCannotCreateFolder, {names.folder, folderError.message()}) << "\n";
        return ExitIoError;
    }
    disk::DiskRequest request;
    request.names = names;
    request.adapter = *adapter;
    request.sectorCount = sectors;
    request.kind = kind;
    request.virtualHWVersion = static_cast<std::int16_t>(o.hwVersion);
    request.method = method;
    disk::CreateEnvironment env;
    env.qemuImg = disk::FindTool("qemu-img", c.programFolder, c.searchPath);
    env.runCommand = c.runCommand;
    disk::CreateResult result;
    {
        ProgressLine progress(c, names.diskName);
        env.progress = progress.callback();
        result = disk::CreateDisk(request, env);
    }
    if (result.created()) {
        c.out << Say(c, kCreated, {names.diskName}) << "\n";
        return ExitSuccess;
    }
    if (madeFolder)
        fs::remove(names.folder, ec); // only removes it while it is empty
    if (result.status == disk::CreateResult::Status::MissingTool)
        return Refuse(c, result.title, result.message, ExitIoError);
    c.err << result.errorNumber << ": " << Say(c, result.reason) << "\n";
    return ExitIoError;
}

int InfoCommand(Context& c, const InfoOptions& o)
{
    disk::DiskInfo info;
    const auto slash = o.path.rfind(disk::kPathSeparator);
    if (slash == std::string::npos) {
        std::error_code ec;
        info.folder = fs::current_path(ec).string();
        if (info.folder.empty() || info.folder.back() != disk::kPathSeparator)
            info.folder += disk::kPathSeparator;
        info.fileName = o.path;
    } else {
        info.folder = o.path.substr(0, slash + 1);
        info.fileName = o.path.substr(slash + 1);
    }
    const disk::ReadOutcome outcome = disk::ReadDiskDescriptor(info);
    if (!outcome) {
        c.err << Text(c, DiskText::UnableToReadDisk) << ": " << o.path << ": " << Say(c, outcome.message()) << "\n";
        return ExitIoError;
    }
    if (o.json) {
        nlohmann::json j = {
            {"folder", info.folder},
            {"fileName", info.fileName},
            {"createType", info.createType},
            {"typeIndex", info.typeIndex},
            {"adapterType", info.adapterType},
            {"buses", info.buses},
            {"sectors", info.sectors},
            {"sizeText", info.sizeText},
            {"hardwareVersion", info.hardwareVersion},
            {"cid", info.cid},
            {"geometry",
             {{"cylinders", info.cylinders}, {"heads", info.heads}, {"sectors", info.sectorsPerTrack}}}};
        if (info.hasBiosGeometry)
            j["biosGeometry"] = {
                {"cylinders", info.biosCylinders}, {"heads", info.biosHeads}, {"sectors", info.biosSectors}};
        c.out << j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
        return ExitSuccess;
    }
    for (const disk::DiskMessage& line : disk::DiskInformationLines(info))
        c.out << Say(c, line) << "\n";
    return ExitSuccess;
}

} // namespace

std::optional<SizeArgument> SplitSizeArgument(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    SizeArgument a;
    switch (std::toupper(static_cast<unsigned char>(text.back()))) {
    case 'S':
        a.unit = disk::SizeUnit::Sectors;
        break;
    case 'K':
        a.unit = disk::SizeUnit::Kb;
        break;
    case 'M':
        a.unit = disk::SizeUnit::Mb;
        break;
    case 'G':
        a.unit = disk::SizeUnit::Gb;
        break;
    default:
        return std::nullopt;
    }
    a.number = std::string(text.substr(0, text.size() - 1));
    return a;
}

void registerDiskCommands(CLI::App& app, Context& context)
{
    CLI::App* diskCommand = app.add_subcommand("disk", "Create a virtual disk or show the facts of one");
    diskCommand->require_subcommand(1);
    diskCommand->footer("Example:\n  zentravolix-cli disk info vm/disk.vmdk");

    auto create = std::make_shared<CreateOptions>();
    CLI::App* createCommand = diskCommand->add_subcommand(
        "create", "Create a new virtual disk (descriptor and extents). The name gets \".vmdk\" appended "
                  "unless it ends so; its folder is created when missing (one level).");
    createCommand->add_option("PATH", create->path, "The new disk's .vmdk file")->required();
    createCommand->add_option("--size", create->size, "Size with unit: 4194304s (sectors), 102400K, 100M, 2G")
        ->required();
    std::vector<std::string> adapters;
    for (disk::AdapterType a : disk::AdapterTypes())
        adapters.emplace_back(disk::AdapterChoiceName(a));
    createCommand
        ->add_option("--adapter", create->adapter,
                     "Virtual adapter; a sata or nvme disk gets ddb.adapterType \"lsilogic\", as VMware writes it")
        ->required()
        ->check(CLI::IsMember(adapters));
    createCommand->add_option("--type", create->type, "Disk type")
        ->required()
        ->check(CLI::IsMember(KindNames()));
    createCommand
        ->add_option("--method", create->method,
                     "library: made by this program alone (default, hardware version 3); external: "
                     "qemu-img for the single growable disk, our own writer for the others")
        ->check(CLI::IsMember({"library", "external"}));
    createCommand
        ->add_option("--hw-version", create->hwVersion, "ddb.virtualHWVersion (external method), default 3")
        ->check(CLI::Range(1, 32767));
    // A product's limit goes up to 62 TB (ESXi), far beyond 32 bits.
    const std::int64_t largestLimit = std::int64_t(1) << 40;
    createCommand
        ->add_option("--max-ide-sectors", create->maxIdeSectors, "Size limit for IDE, default 268435456")
        ->check(CLI::Range(std::int64_t(1), largestLimit));
    createCommand
        ->add_option("--max-scsi-sectors", create->maxScsiSectors,
                     "Size limit for SCSI, SATA and NVMe, default 536870912 (BusLogic at most 4294967295)")
        ->check(CLI::Range(std::int64_t(1), largestLimit));
    createCommand->add_flag("-y,--yes", create->yes, "Answer Yes to the large-disk questions");
    createCommand->footer("Exit codes: 0 created, 1 I/O error or missing tool (no files are left behind), "
                          "2 refused by a rule or bad arguments.\n\nExample:\n"
                          "  zentravolix-cli disk create vm/disk.vmdk --size 20G --adapter lsilogic --type growable");
    createCommand->callback([&context, create] { context.exitCode = CreateCommand(context, *create); });

    auto info = std::make_shared<InfoOptions>();
    CLI::App* infoCommand = diskCommand->add_subcommand(
        "info",
        "Print the \"Current Disk Information\" of a disk: path, name, type, adapter, size, geometry, "
        "hardware version, CID");
    infoCommand->add_option("PATH", info->path, "A disk's descriptor, or a single-file disk")->required();
    infoCommand->add_flag("--json", info->json, "Print the facts as JSON");
    infoCommand->footer("Exit codes: 0 read, 1 the disk cannot be read, 2 bad arguments.\n\nExample:\n"
                        "  zentravolix-cli disk info --json vm/disk.vmdk");
    infoCommand->callback([&context, info] { context.exitCode = InfoCommand(context, *info); });
}

} // namespace zentravolix::cli
