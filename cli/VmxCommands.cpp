// SPDX-License-Identifier: MIT
#include "cli/VmxCommands.h"

#include "cli/MachineJson.h"
#include "cli/Output.h"
#include "config/ConfigChecks.h"

#include "config/ConfigSession.h"
#include "config/DeviceKinds.h"
#include "config/ProductTables.h"
#include "platform/IoError.h"
#include "platform/Paths.h"
#include "platform/TextUtil.h"
#include "vmx/ReadProblem.h"
#include "vmx/SaveChecks.h"
#include "vmx/VmxFileError.h"
#include "vmx/VmxWriter.h"

#include <tarvonel/tarvonel.h>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <sstream>

namespace zentravolix::cli {

namespace {

namespace fs = std::filesystem;

/** Options of the three commands, kept alive with the CLI::App that fills them. */
struct VmxOptions {
    std::string file;
    std::vector<std::string> files;
    bool json = false;
    bool jsonLines = false;
    std::string output;
    bool backup = false;
    std::string name;
    std::string dir;
    bool force = false;
    std::string product;
    std::string version;
};

/** One row of the hardware list: what the editor shows for a device. */
struct HardwareRow {
    tarvonel::VirtualHardwareType type;
    std::string name;
    std::string summary;
};

struct OptionRow {
    const char* name;
    std::string summary;
};

// The tool's own texts (texts.tsv).
constexpr int kLineKept = 466;
constexpr int kBackupCreatedAs = 414;
constexpr int kWritten = 467;
constexpr int kCannotWriteConfiguration = 468;
constexpr int kFileExists = 469;
constexpr int kStdinTwice = 2675;
constexpr int kUnknownProduct = 2751;
constexpr int kUnknownProductVersion = 2752;

/** Product names `new --product` takes, by TargetPlatform. */
constexpr std::string_view kProductNames[] = {"gsx", "workstation", "player", "server", "esxi"};

std::string joined(const std::vector<std::string>& items)
{
    std::string text;
    for (const auto& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

/** The product version `new --product P --version V` names; prints why and gives nothing when none. */
std::optional<config::ProductVersion> productOption(Context& context, const std::string& product, const std::string& version)
{
    std::optional<std::int16_t> platform;
    std::vector<std::string> names;
    for (std::size_t i = 0; i < std::size(kProductNames); ++i) {
        names.emplace_back(kProductNames[i]);
        if (platform::EqualsIgnoreCase(product, kProductNames[i]))
            platform = static_cast<std::int16_t>(i);
    }
    if (!platform) {
        context.err << "zentravolix-cli: " << Say(context, kUnknownProduct, {product, joined(names)}) << "\n";
        return std::nullopt;
    }
    const auto captions = config::PlatformVersionCaptions(*platform);
    // Without --version the product's newest version.
    if (version.empty())
        return config::ProductVersion{*platform, static_cast<std::int16_t>(captions.size() - 1)};
    for (std::size_t v = 0; v < captions.size(); ++v) {
        if (platform::EqualsIgnoreCase(captions[v], version))
            return config::ProductVersion{*platform, static_cast<std::int16_t>(v)};
    }
    context.err << "zentravolix-cli: " << Say(context, kUnknownProductVersion, {product, version, joined(captions)})
                << "\n";
    return std::nullopt;
}

int problemTextId(vmx::ProblemCode code)
{
    switch (code) {
    case vmx::ProblemCode::NotANumber:
        return 425; // the value is not a number
    case vmx::ProblemCode::NumberOutOfRange:
        return 459;
    case vmx::ProblemCode::BadIndex:
        return 460;
    case vmx::ProblemCode::IndexTooLarge:
        return 461;
    case vmx::ProblemCode::TooManyItems:
        return 462;
    case vmx::ProblemCode::NodeOutOfRange:
        return 463;
    case vmx::ProblemCode::ValueRejected:
        return 464;
    }
    return 465; // the line was not understood
}

void printProblems(Context& context, const config::ConfigSession& session)
{
    const fs::path& file = session.OpenedPath();
    for (const auto& problem : session.Problems()) {
        if (context.quiet)
            return;
        context.err << Visible(file.string()) << ":" << problem.line << ": "
                    << Visible(Say(context, kLineKept, {Say(context, problemTextId(problem.code)), problem.text}))
                    << "\n";
    }
}

template <class Collection>
void addRows(std::vector<HardwareRow>& rows, tarvonel::VirtualHardwareType type, const Collection& collection)
{
    for (std::int32_t i = 1; i <= collection.Count(); ++i)
        rows.push_back({type, collection.Item(i)->DisplayName(), collection.Item(i)->Summary()});
}

std::vector<HardwareRow> hardwareRows(const tarvonel::clsHardware& hw)
{
    std::vector<HardwareRow> rows;
    config::ForEachDevice(hw, [&rows](tarvonel::VirtualHardwareType type, const tarvonel::DeviceItem& device) {
        rows.push_back({type, device.DisplayName(), device.Summary()});
    });
    // SATA and NVMe controllers until the hardware list has kinds for them.
    if (!config::IsDeviceKind(tarvonel::VirtualHardwareType::SATAController))
        addRows(rows, tarvonel::VirtualHardwareType::SATAController, *hw.SATAControllers());
    if (!config::IsDeviceKind(tarvonel::VirtualHardwareType::NVMeController))
        addRows(rows, tarvonel::VirtualHardwareType::NVMeController, *hw.NVMeControllers());
    return rows;
}

/** The settings of today's products that no hardware row shows: firmware, USB version, cores, 3D memory. */
void settingsText(std::ostream& out, const tarvonel::VirtualMachine& vm)
{
    const auto hw = vm.Hardware();
    const auto advanced = vm.Options()->AdvancedOptions();
    out << "Firmware: " << FirmwareName(*advanced) << "\n";
    out << "Secure boot: " << (advanced->SecureBoot() ? "on" : "off") << "\n";
    if (hw->USBControllers()->Count() > 0)
        out << "USB version: " << UsbVersion(*hw->USBControllers()->Item(1)) << "\n";
    out << "Cores per processor: " << hw->CPUs()->CoresPerSocket() << "\n";
    if (hw->Displays()->Count() > 0)
        out << "Graphics memory: " << hw->Displays()->Item(1)->GraphicsMemoryKB() << " KB\n";
}

std::vector<OptionRow> optionRows(const tarvonel::clsOptions& options)
{
    return {{"General", options.GeneralOptions()->Summary()},
            {"Power", options.PowerOptions()->Summary()},
            {"Shared Folders", options.SharedFoldersOptions()->Summary()},
            {"Snapshots", options.SnapshotsOptions()->Summary()},
            {"Guest Isolation", options.GuestIsolationOptions()->Summary()},
            {"Advanced", options.AdvancedOptions()->Summary()}};
}

std::string caption(const std::vector<std::string>& captions, std::int16_t index)
{
    return index >= 0 && static_cast<std::size_t>(index) < captions.size() ? captions[static_cast<std::size_t>(index)]
                                                                          : std::to_string(index);
}

/** The platform list's caption of a platform code, in the tool's language. */
std::string platformName(const Context& context, std::int16_t targetPlatform)
{
    std::vector<std::string> captions;
    for (int id : config::TargetPlatformTextIds())
        captions.push_back(context.text(id));
    return caption(captions, targetPlatform);
}

void showText(Context& context, const config::ConfigSession& session, const std::string& name,
              const config::KeyLineIndex& lines)
{
    const tarvonel::VirtualMachine& vm = *session.Machine();
    const auto general = vm.Options()->GeneralOptions();
    // Everything from the file goes through Visible: an escape sequence in a value is shown, not run.
    std::ostringstream out;
    out << "File: " << name << "\n";
    out << "Display name: " << general->DisplayName() << "\n";
    out << "Platform: " << platformName(context, general->TargetPlatform()) << "\n";
    out << "Version: " << caption(config::PlatformVersionCaptions(general->TargetPlatform()), general->PlatformVersion())
        << "\n";
    out << "Config version: " << general->ConfigVersion() << "\n";
    out << "Hardware version: " << general->HardwareVersion() << "\n";
    settingsText(out, vm);

    const auto rows = hardwareRows(*vm.Hardware());
    std::size_t width = 0;
    for (const auto& row : rows)
        width = std::max(width, row.name.size());
    out << "\nHardware:\n";
    for (const auto& row : rows)
        out << "  " << row.name << std::string(width - row.name.size() + 2, ' ') << row.summary << "\n";

    out << "\nOptions:\n";
    for (const auto& row : optionRows(*vm.Options()))
        out << "  " << row.name << std::string(17 - std::string_view(row.name).size(), ' ') << row.summary << "\n";

    const KeyLineCount count = CountKeyLines(session, lines);
    out << "\nKey lines: " << count.total << " (understood " << count.understood << ", kept " << count.kept << ")\n";
    out << "\nPreserved lines: " << session.OtherParams().size() << "\n";
    for (const auto& line : session.OtherParams())
        out << "  " << line << "\n";
    // Line by line, so the line breaks stay line breaks.
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);)
        context.out << Visible(line) << "\n";
}

/** Saves after the editor's pre-checks; prints a refusal and returns its exit code. */
int save(Context& context, config::ConfigSession& session)
{
    if (const auto refusal = session.CheckBeforeSave()) {
        context.err << vmx::RefusalTitle(*refusal, context.text) << ": " << vmx::RefusalMessage(*refusal, context.text)
                    << "\n";
        return ExitRefused;
    }
    // The backup is the file as it was read, made only when the save replaces that file.
    if (const auto backup = session.BackupIfDue(); backup && !context.quiet)
        context.err << Visible(Say(context, kBackupCreatedAs, {backup->string()})) << "\n";
    const vmx::SavedFile saved = session.Save();
    if (!context.quiet)
        context.out << Visible(Say(context, kWritten, {saved.path.string()})) << "\n";
    return ExitSuccess;
}

/** Runs a command body, turning read and write failures into their exit code and message. */
template <class Body>
void guarded(Context& context, Body body)
{
    try {
        context.exitCode = body();
    } catch (const vmx::VmxFileError& e) {
        Complain(context, e.what());
        context.exitCode = ExitIoError;
    } catch (const platform::IoError& e) {
        Complain(context, e.what());
        context.exitCode = ExitIoError;
    } catch (const tarvonel::Error& e) {
        Complain(context, Say(context, kCannotWriteConfiguration, {e.what()}));
        context.exitCode = ExitIoError;
    }
}

/** Opens the file as the editor opens it, printing the lines that could not be used. */
std::unique_ptr<config::ConfigSession> load(Context& context, const std::string& file, bool backup)
{
    auto session = std::make_unique<config::ConfigSession>(platform::GetTempFolder());
    config::OpenOptions options;
    options.backup = backup;
    session->Open(fs::absolute(file).lexically_normal(), options);
    printProblems(context, *session);
    return session;
}

/** show: each file in turn; one that cannot be read is reported and the others still shown. */
int runShow(Context& context, const VmxOptions& o)
{
    if (std::count_if(o.files.begin(), o.files.end(), [](const std::string& f) { return IsStdio(f); }) > 1) {
        Complain(context, Say(context, kStdinTwice));
        return ExitRefused;
    }
    const std::string tempFolder = platform::GetTempFolder();
    const bool array = o.json && o.files.size() > 1;
    int exit = ExitSuccess;
    bool first = true;
    if (array)
        context.out << "[";
    for (const std::string& name : o.files) {
        nlohmann::json doc;
        try {
            const InputFile input = ReadInput(context, name);
            config::ConfigSession session(tempFolder);
            session.OpenText(input.text, input.path);
            const config::KeyLineIndex lines(input.text);
            printProblems(context, session);
            if (!o.json && !o.jsonLines) {
                if (!first)
                    context.out << "\n";
                showText(context, session, name, lines);
                first = false;
                continue;
            }
            doc = MachineJson(context, session, name, lines);
        } catch (const std::exception& e) {
            Complain(context, e.what());
            exit = ExitIoError;
            if (!o.json && !o.jsonLines)
                continue;
            doc = {{"file", name}, {"error", e.what()}};
        }
        KeepBytesRecoverable(doc);
        if (o.jsonLines) {
            context.out << doc.dump() << "\n";
        } else {
            if (array)
                context.out << (first ? "\n" : ",\n");
            context.out << doc.dump(2);
            if (!array)
                context.out << "\n";
        }
        first = false;
    }
    if (array)
        context.out << "\n]\n";
    return exit;
}

} // namespace

void registerVmxCommands(CLI::App& app, Context& context)
{
    auto options = std::make_shared<VmxOptions>();

    CLI::App* show = app.add_subcommand("show", "Read .vmx files and list their hardware, options and kept lines.");
    show->add_option("files", options->files, "The .vmx files (- for standard input)")->required();
    auto* jsonFlag = show->add_flag("--json", options->json, "Print JSON: one object, or an array of them for several files");
    show->add_flag("--json-lines", options->jsonLines, "Print one JSON object per line and file (JSON Lines)")
        ->excludes(jsonFlag);
    show->footer("Example:\n  zentravolix-cli show --json-lines vms/*/*.vmx | jq -r .displayName");
    show->callback([&context, options] { context.exitCode = runShow(context, *options); });

    CLI::App* rewrite = app.add_subcommand(
        "rewrite", "Read a .vmx file and save it again, exactly as opening it in the editor and saving would.");
    rewrite->footer("Example:\n  zentravolix-cli rewrite --backup vm/machine.vmx");
    rewrite->add_option("file", options->file, "The .vmx file (- for standard input)")->required();
    rewrite->add_option("-o,--output", options->output,
                        "Save under this name instead (as if the file name and folder fields were changed; - for standard output)");
    rewrite->add_flag("--backup", options->backup, "Copy the file as it was read to FILE.bak before saving over it");
    rewrite->callback([&context, options] {
        guarded(context, [&] {
            // "-" reads standard input or writes standard output: the text a save would write.
            if (IsStdio(options->file) || IsStdio(options->output)) {
                const InputFile input = ReadInput(context, options->file);
                config::ConfigSession session(platform::GetTempFolder());
                session.OpenText(input.text, input.path);
                printProblems(context, session);
                // Standard input goes to standard output unless -o names a file.
                if (!IsStdio(options->output) && !options->output.empty()) {
                    session.SaveAs(options->output);
                    return save(context, session);
                }
                context.out << session.Text();
                return static_cast<int>(ExitSuccess);
            }
            const auto session = load(context, options->file, options->backup);
            // A file that was read counts as a valid name; a changed one must name a file and folder.
            if (!options->output.empty())
                session->SaveAs(options->output);
            return save(context, *session);
        });
    });

    CLI::App* create = app.add_subcommand("new", "Write the configuration a new editor tab would save.");
    create->add_option("name", options->name, "Display name; the file is NAME.vmx")->required();
    create->add_option("--dir", options->dir, "Folder of the new file (default: the current folder)");
    create->add_flag("--force", options->force, "Replace an existing file of that name");
    create->add_option("--product", options->product,
                       "Host product: gsx, workstation, player, server or esxi (default: the new-machine "
                       "product, Workstation 5.5x)");
    create->add_option("--version", options->version,
                       "Version of the product as the editor lists it, e.g. 17.x or \"7.0 U2\" (default: its newest)");
    create->footer("Example:\n  zentravolix-cli new Ubuntu --dir vms/ubuntu --product workstation --version 17.x");
    create->callback([&context, options] {
        guarded(context, [&] {
            if (options->name.find('/') != std::string::npos) {
                context.err << "zentravolix-cli: " << context.text(190) << ": " << options->name << "\n";
                return static_cast<int>(ExitRefused);
            }
            // A command works where it is run: without --dir the file goes into the current folder
            // (the program's new-machine tab keeps its own rule, the temporary folder).
            const std::string folder =
                fs::absolute(options->dir.empty() ? fs::path(".") : fs::path(options->dir)).lexically_normal().string();
            // With --version alone the product is Workstation.
            const std::string product =
                options->product.empty() && !options->version.empty() ? "workstation" : options->product;
            const auto chosen = productOption(context, product.empty() ? "workstation" : product, options->version);
            if (!chosen)
                return static_cast<int>(ExitRefused);
            config::ConfigSession session(platform::GetTempFolder());
            session.StartNew(options->name, folder);
            if (!product.empty())
                session.ChooseProduct(*chosen);
            const fs::path target = session.FilePath();
            std::error_code ec;
            if (!options->force && fs::symlink_status(target, ec).type() != fs::file_type::not_found) {
                context.err << "zentravolix-cli: " << Say(context, kFileExists, {target.string()}) << "\n";
                return static_cast<int>(ExitRefused);
            }
            return save(context, session);
        });
    });
}

} // namespace zentravolix::cli
