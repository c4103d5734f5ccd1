// SPDX-License-Identifier: MIT
#include "cli/VmxCommands.h"

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

namespace zentravolix::cli {

namespace {

namespace fs = std::filesystem;

/** Options of the three commands, kept alive with the CLI::App that fills them. */
struct VmxOptions {
    std::string file;
    bool json = false;
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
        context.err << file.string() << ":" << problem.line << ": " 
                    << Say(context, kLineKept, {Say(context, problemTextId(problem.code)), problem.text})
                    << "\n";
    }
}

std::vector<HardwareRow> hardwareRows(const tarvonel::clsHardware& hw)
{
    std::vector<HardwareRow> rows;
    config::ForEachDevice(hw, [&rows](tarvonel::VirtualHardwareType type, const tarvonel::DeviceItem& device) {
        rows.push_back({type, device.DisplayName(), device.Summary()});
    });
    return rows;
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

void showText(Context& context, const config::ConfigSession& session)
{
    const fs::path& file = session.OpenedPath();
    const tarvonel::VirtualMachine& vm = *session.Machine();
    const auto general = vm.Options()->GeneralOptions();
    std::ostream& out = context.out;
    out << "File: " << file.string() << "\n";
    out << "Display name: " << general->DisplayName() << "\n";
    out << "Platform: " << platformName(context, general->TargetPlatform()) << "\n";
    out << "Version: " << caption(config::PlatformVersionCaptions(general->TargetPlatform()), general->PlatformVersion())
        << "\n";
    out << "Config version: " << general->ConfigVersion() << "\n";
    out << "Hardware version: " << general->HardwareVersion() << "\n";

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

    out << "\nPreserved lines: " << session.OtherParams().size() << "\n";
    for (const auto& line : session.OtherParams())
        out << "  " << line << "\n";
}

void showJson(Context& context, const config::ConfigSession& session)
{
    const fs::path& file = session.OpenedPath();
    const tarvonel::VirtualMachine& vm = *session.Machine();
    const auto general = vm.Options()->GeneralOptions();
    const auto hw = vm.Hardware();
    nlohmann::json doc;
    doc["file"] = file.string();
    doc["displayName"] = general->DisplayName();
    doc["platform"] = {{"code", general->TargetPlatform()},
                       {"name", platformName(context, general->TargetPlatform())}};
    doc["version"] = {
        {"code", general->PlatformVersion()},
        {"name", caption(config::PlatformVersionCaptions(general->TargetPlatform()), general->PlatformVersion())}};
    doc["configVersion"] = general->ConfigVersion();
    doc["hardwareVersion"] = general->HardwareVersion();
    doc["hardware"] = nlohmann::json::array();
    for (const auto& row : hardwareRows(*hw)) {
        doc["hardware"].push_back({{"type", static_cast<int>(row.type)},
                                   {"kind", hw->HWTypeToText(row.type)},
                                   {"name", row.name},
                                   {"summary", row.summary}});
    }
    doc["options"] = nlohmann::json::array();
    for (const auto& row : optionRows(*vm.Options()))
        doc["options"].push_back({{"name", row.name}, {"summary", row.summary}});
    doc["preserved"] = session.OtherParams();
    doc["problems"] = nlohmann::json::array();
    for (const auto& problem : session.Problems()) {
        doc["problems"].push_back({{"line", problem.line},
                                   {"code", vmx::ProblemCodeName(problem.code)},
                                   {"key", problem.key},
                                   {"text", problem.text}});
    }
    // Files of other programs carry bytes of their own code page; they must not stop the output.
    context.out << doc.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
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
    if (const auto backup = session.BackupIfDue())
        context.err << Say(context, kBackupCreatedAs, {backup->string()}) << "\n";
    const vmx::SavedFile saved = session.Save();
    context.out << Say(context, kWritten, {saved.path.string()}) << "\n";
    return ExitSuccess;
}

/** Runs a command body, turning read and write failures into their exit code and message. */
template <class Body>
void guarded(Context& context, Body body)
{
    try {
        context.exitCode = body();
    } catch (const vmx::VmxFileError& e) {
        context.err << "zentravolix-cli: " << e.what() << "\n";
        context.exitCode = ExitIoError;
    } catch (const platform::IoError& e) {
        context.err << "zentravolix-cli: " << e.what() << "\n";
        context.exitCode = ExitIoError;
    } catch (const tarvonel::Error& e) {
        context.err << "zentravolix-cli: " << Say(context, kCannotWriteConfiguration, {e.what()}) << "\n";
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

} // namespace

void registerVmxCommands(CLI::App& app, Context& context)
{
    auto options = std::make_shared<VmxOptions>();

    CLI::App* show = app.add_subcommand("show", "Read a .vmx file and list its hardware, options and kept lines.");
    show->add_option("file", options->file, "The .vmx file")->required();
    show->add_flag("--json", options->json, "Print one JSON object");
    show->callback([&context, options] {
        guarded(context, [&] {
            const auto session = load(context, options->file, false);
            if (options->json)
                showJson(context, *session);
            else
                showText(context, *session);
            return ExitSuccess;
        });
    });

    CLI::App* rewrite = app.add_subcommand(
        "rewrite", "Read a .vmx file and save it again, exactly as opening it in the editor and saving would.");
    rewrite->add_option("file", options->file, "The .vmx file")->required();
    rewrite->add_option("-o,--output", options->output,
                        "Save under this name instead (as if the file name and folder fields were changed)");
    rewrite->add_flag("--backup", options->backup, "Copy the file as it was read to FILE.bak before saving over it");
    rewrite->callback([&context, options] {
        guarded(context, [&] {
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
