// SPDX-License-Identifier: MIT
#include "cli/VmxCommands.h"

#include "config/DeviceKinds.h"
#include "config/NewMachineDefaults.h"
#include "config/ProductTables.h"
#include "platform/IoError.h"
#include "platform/Paths.h"
#include "vmx/SaveChecks.h"
#include "vmx/VmxReader.h"
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

const char* problemText(vmx::ProblemCode code)
{
    switch (code) {
    case vmx::ProblemCode::NotANumber:
        return "the value is not a number";
    case vmx::ProblemCode::NumberOutOfRange:
        return "the number is too large";
    case vmx::ProblemCode::BadIndex:
        return "the device, controller, node or share number in the key is not a number";
    case vmx::ProblemCode::IndexTooLarge:
        return "the node number in the key is too large";
    case vmx::ProblemCode::TooManyItems:
        return "the count or number would make more than 1024 items";
    case vmx::ProblemCode::NodeOutOfRange:
        return "the node lies outside its controller's nodes";
    case vmx::ProblemCode::ValueRejected:
        return "the value was not accepted";
    }
    return "the line was not understood";
}

std::string folderOf(const fs::path& file)
{
    std::string folder = file.parent_path().string();
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

std::unique_ptr<tarvonel::VirtualMachine> machineWithDefaults(const std::string& name, const std::string& folder)
{
    auto vm = std::make_unique<tarvonel::VirtualMachine>();
    config::ApplyNewMachineDefaults(*vm, name, folder, platform::GetTempFolder());
    return vm;
}

void printProblems(Context& context, const fs::path& file, const vmx::ReadResult& read)
{
    for (const auto& problem : read.problems) {
        context.err << file.string() << ":" << problem.line << ": " << problemText(problem.code)
                    << "; the line is kept as it is: " << problem.text << "\n";
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

void showText(Context& context, const fs::path& file, const tarvonel::VirtualMachine& vm, const vmx::ReadResult& read)
{
    const auto general = vm.Options()->GeneralOptions();
    std::ostream& out = context.out;
    out << "File: " << file.string() << "\n";
    out << "Display name: " << general->DisplayName() << "\n";
    out << "Platform: " << caption(config::TargetPlatformCaptions(), general->TargetPlatform()) << "\n";
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

    out << "\nPreserved lines: " << read.otherParams.size() << "\n";
    for (const auto& line : read.otherParams)
        out << "  " << line << "\n";
}

void showJson(Context& context, const fs::path& file, const tarvonel::VirtualMachine& vm, const vmx::ReadResult& read)
{
    const auto general = vm.Options()->GeneralOptions();
    const auto hw = vm.Hardware();
    nlohmann::json doc;
    doc["file"] = file.string();
    doc["displayName"] = general->DisplayName();
    doc["platform"] = {{"code", general->TargetPlatform()},
                       {"name", caption(config::TargetPlatformCaptions(), general->TargetPlatform())}};
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
    doc["preserved"] = read.otherParams;
    doc["problems"] = nlohmann::json::array();
    for (const auto& problem : read.problems) {
        doc["problems"].push_back({{"line", problem.line},
                                   {"code", vmx::ProblemCodeName(problem.code)},
                                   {"key", problem.key},
                                   {"text", problem.text}});
    }
    // Files of other programs carry bytes of their own code page; they must not stop the output.
    context.out << doc.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
}

/** Saves after the editor's pre-checks; prints a refusal and returns its exit code. */
int save(Context& context, const tarvonel::VirtualMachine& vm, bool vmxNameValid, const vmx::ReadResult* read)
{
    if (const auto refusal = vmx::CheckBeforeSave(vm, vmxNameValid)) {
        context.err << vmx::RefusalTitle(*refusal, context.text) << ": " << vmx::RefusalMessage(*refusal, context.text)
                    << "\n";
        return ExitRefused;
    }
    // The backup is the file as it was read, made only when the save replaces that file.
    if (read && read->original) {
        std::error_code ec;
        const fs::path target = vmx::VmxFilePath(vm);
        if (target == read->original->path || fs::equivalent(target, read->original->path, ec))
            context.err << "Backup file created as: " << vmx::WriteBackup(*read->original).string() << "\n";
    }
    const vmx::SavedFile saved = read ? vmx::SaveVmxFile(vm, read->otherParams, read->valuesAfterRead)
                                      : vmx::SaveVmxFile(vm);
    context.out << "Written: " << saved.path.string() << "\n";
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
        context.err << "zentravolix-cli: cannot write the configuration: " << e.what() << "\n";
        context.exitCode = ExitIoError;
    }
}

struct Loaded {
    fs::path file;
    std::unique_ptr<tarvonel::VirtualMachine> vm;
    vmx::ReadResult read;
};

Loaded load(Context& context, const std::string& file, bool backup)
{
    Loaded loaded{fs::absolute(file).lexically_normal(), machineWithDefaults("", ""), {}};
    loaded.read = vmx::ReadVmxFile(loaded.file, *loaded.vm, vmx::ReadOptions{backup});
    printProblems(context, loaded.file, loaded.read);
    return loaded;
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
            const Loaded loaded = load(context, options->file, false);
            if (options->json)
                showJson(context, loaded.file, *loaded.vm, loaded.read);
            else
                showText(context, loaded.file, *loaded.vm, loaded.read);
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
            const Loaded loaded = load(context, options->file, options->backup);
            if (!options->output.empty()) {
                const fs::path target = fs::absolute(options->output).lexically_normal();
                const auto general = loaded.vm->Options()->GeneralOptions();
                general->SetVmxPath(folderOf(target));
                general->SetVmxFileName(target.filename().string());
            }
            // A file that was read counts as a valid name; a changed one must name a file and folder.
            const bool nameValid = options->output.empty() || vmx::VmxNameFieldsValid(*loaded.vm);
            return save(context, *loaded.vm, nameValid, &loaded.read);
        });
    });

    CLI::App* create = app.add_subcommand("new", "Write the configuration a new editor tab would save.");
    create->add_option("name", options->name, "Display name; the file is NAME.vmx")->required();
    create->add_option("--dir", options->dir, "Folder of the new file (default: the current folder)");
    create->add_flag("--force", options->force, "Replace an existing file of that name");
    create->callback([&context, options] {
        guarded(context, [&] {
            if (options->name.find('/') != std::string::npos) {
                context.err << "zentravolix-cli: " << context.text(190) << ": " << options->name << "\n";
                return static_cast<int>(ExitRefused);
            }
            // A command works where it is run: without --dir the file goes into the current folder
            // (the program's new-machine tab keeps its own rule, the temporary folder).
            std::string folder = fs::absolute(options->dir.empty() ? fs::path(".") : fs::path(options->dir))
                                     .lexically_normal()
                                     .string();
            if (folder.empty() || folder.back() != '/')
                folder += '/';
            const auto vm = machineWithDefaults(options->name, folder);
            const fs::path target = vmx::VmxFilePath(*vm);
            std::error_code ec;
            if (!options->force && fs::symlink_status(target, ec).type() != fs::file_type::not_found) {
                context.err << "zentravolix-cli: " << target.string()
                            << " exists; pass --force to replace it\n";
                return static_cast<int>(ExitRefused);
            }
            return save(context, *vm, vmx::VmxNameFieldsValid(*vm), nullptr);
        });
    });
}

} // namespace zentravolix::cli
