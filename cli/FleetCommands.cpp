// SPDX-License-Identifier: MIT
#include "cli/FleetCommands.h"

#include "cli/MachineJson.h"
#include "cli/Output.h"
#include "config/ConfigChecks.h"
#include "config/ConfigSession.h"
#include "config/DeviceFieldRules.h"
#include "config/SettingsDiff.h"
#include "platform/IoError.h"
#include "platform/Paths.h"
#include "vmx/SaveChecks.h"
#include "vmx/VmxFileError.h"
#include "vmx/VmxSyntax.h"

#include <tarvonel/Error.h>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <memory>
#include <sstream>
#include <thread>
#include <unordered_map>
#include <variant>

namespace zentravolix::cli {

namespace {

namespace fs = std::filesystem;
using config::CheckFinding;
using config::Severity;

// The tool's texts for these commands (texts.tsv).
constexpr int kTooManyCpus = 2650;
constexpr int kKeyNotSet = 2672;
constexpr int kNotAnAssignment = 2673;
constexpr int kBadKey = 2674;
constexpr int kStdinTwice = 2675;
constexpr int kBackupCreatedAs = 414;
constexpr int kWritten = 467;
constexpr int kCannotWriteConfiguration = 468;
constexpr int kNothingChanged = 2676;

struct FleetOptions {
    std::vector<std::string> files;
    bool json = false;
    bool jsonLines = false;
    unsigned jobs = 0;
    std::string file;
    std::vector<std::string> keys;
    std::vector<std::string> assignments;
    bool dryRun = false;
    bool backup = false;
    std::string output;
    std::string second;
};

/** A configuration opened from a named file or standard input, with the text it was read from. */
struct Opened {
    InputFile input;
    std::unique_ptr<config::ConfigSession> session;
};

Opened open(Context& context, const std::string& name, const std::string& tempFolder, bool backup = false)
{
    Opened o;
    o.input = ReadInput(context, name);
    o.session = std::make_unique<config::ConfigSession>(tempFolder);
    if (backup && !IsStdio(name)) {
        config::OpenOptions options;
        options.backup = true;
        o.session->Open(o.input.path, options);
    } else {
        o.session->OpenText(o.input.text, o.input.path);
    }
    return o;
}

std::string displayName(const std::string& name)
{
    return IsStdio(name) ? std::string("-") : name;
}

/** Two "-" on one command line: standard input can be read only once. */
bool stdinTwice(Context& context, const std::vector<std::string>& names)
{
    if (std::count_if(names.begin(), names.end(), [](const std::string& n) { return IsStdio(n); }) > 1) {
        Complain(context, Say(context, kStdinTwice));
        return true;
    }
    return false;
}

/** Runs a command body, turning read and write failures into exit code 1 and a message naming the file. */
template <class Body> int guardedRun(Context& context, Body body)
{
    try {
        return body();
    } catch (const vmx::VmxFileError& e) {
        Complain(context, e.what());
    } catch (const platform::IoError& e) {
        Complain(context, e.what());
    } catch (const tarvonel::Error& e) {
        Complain(context, Say(context, kCannotWriteConfiguration, {e.what()}));
    }
    return ExitIoError;
}

// ---------------------------------------------------------------------------------------------
// check

struct FileCheck {
    std::string name;
    /** Set when the file could not be read at all. */
    std::optional<std::string> error;
    std::vector<CheckFinding> findings;
    std::vector<config::MacUse> macs;
};

FileCheck checkOne(Context& context, const std::string& name, const std::string& tempFolder, const std::string* stdinText)
{
    FileCheck result;
    result.name = name;
    try {
        config::ConfigSession session(tempFolder);
        InputFile input;
        if (stdinText) {
            input.path = fs::current_path() / "stdin.vmx";
            input.text = *stdinText;
        } else {
            input = ReadInput(context, name);
        }
        session.OpenText(input.text, input.path);
        const config::KeyLineIndex lines(input.text);
        config::CheckResult checked = config::CheckConfiguration(session, lines);
        result.findings = std::move(checked.findings);
        result.macs = std::move(checked.macs);
    } catch (const std::exception& e) {
        // Each file stands alone: one that cannot be read is an error of its own and stops nothing.
        result.error = e.what();
    }
    return result;
}

int runCheck(Context& context, const FleetOptions& o)
{
    if (stdinTwice(context, o.files))
        return ExitRefused;
    const std::string tempFolder = platform::GetTempFolder();
    std::optional<std::string> stdinText;
    if (std::any_of(o.files.begin(), o.files.end(), [](const std::string& n) { return IsStdio(n); }))
        stdinText = ReadInput(context, "-").text;

    std::vector<FileCheck> results(o.files.size());
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i = next++; i < o.files.size(); i = next++)
            results[i] = checkOne(context, o.files[i], tempFolder, IsStdio(o.files[i]) ? &*stdinText : nullptr);
    };
    unsigned jobs = o.jobs != 0 ? o.jobs : std::max(1u, std::thread::hardware_concurrency());
    jobs = static_cast<unsigned>(std::min<std::size_t>(jobs, o.files.size()));
    std::vector<std::thread> threads;
    for (unsigned t = 1; t < jobs; ++t)
        threads.emplace_back(work);
    work();
    for (auto& t : threads)
        t.join();

    // MAC addresses are compared over every file of the call.
    std::vector<std::vector<config::MacUse>> macs;
    std::vector<std::string> names;
    for (auto& r : results) {
        macs.push_back(std::move(r.macs));
        names.push_back(displayName(r.name));
    }
    for (auto& [file, f] : config::DuplicateMacs(macs, names))
        results[file].findings.push_back(std::move(f));

    // Many files give many findings of few texts: each text is looked up once.
    Context words = context;
    words.text = [lookup = context.text, cache = std::make_shared<std::unordered_map<int, std::string>>()](int id) {
        auto it = cache->find(id);
        if (it == cache->end())
            it = cache->emplace(id, lookup ? lookup(id) : std::string()).first;
        return it->second;
    };
    // --quiet leaves the errors.
    const auto printed = [&](const CheckFinding& f) { return !context.quiet || f.severity == Severity::Error; };
    int exit = ExitSuccess;
    nlohmann::json files = nlohmann::json::array();
    std::size_t errors = 0, warnings = 0;
    for (auto& r : results) {
        std::stable_sort(r.findings.begin(), r.findings.end(),
                         [](const CheckFinding& a, const CheckFinding& b) { return a.line < b.line; });
        const std::string name = displayName(r.name);
        nlohmann::json entry;
        entry["file"] = name;
        entry["findings"] = nlohmann::json::array();
        if (r.error) {
            exit = ExitIoError;
            ++errors;
            entry["error"] = *r.error;
            if (!o.json)
                context.out << Visible(name) << ": error: " << Visible(*r.error) << "\n";  // errors even with --quiet
        }
        for (const CheckFinding& f : r.findings) {
            if (f.severity == Severity::Error) {
                exit = ExitIoError;
                ++errors;
            } else if (f.severity == Severity::Warning) {
                ++warnings;
            }
            if (!printed(f))
                continue;
            const std::string text = FindingText(f, words);
            if (o.json) {
                entry["findings"].push_back({{"line", f.line},
                                             {"severity", config::SeverityName(f.severity)},
                                             {"code", f.code},
                                             {"message", text}});
            } else {
                context.out << Visible(name) << ":";
                if (f.line > 0)
                    context.out << f.line << ":";
                context.out << " " << config::SeverityName(f.severity) << ": " << Visible(text) << "\n";
            }
        }
        if (o.json)
            files.push_back(std::move(entry));
    }
    if (o.json) {
        nlohmann::json doc = {{"files", std::move(files)}, {"errors", errors}, {"warnings", warnings}};
        KeepBytesRecoverable(doc);
        context.out << doc.dump(2) << "\n";
    }
    return exit;
}

// ---------------------------------------------------------------------------------------------
// get and set

/** A key a line of a .vmx file can hold: no blanks, quotes, "=", "#" or control bytes, not empty. */
bool isKeyText(const std::string& key)
{
    if (key.empty())
        return false;
    for (const char ch : key) {
        const auto c = static_cast<unsigned char>(ch);
        if (c <= 0x20 || c == 0x7F || ch == '"' || ch == '=' || ch == '#')
            return false;
    }
    return true;
}

int runGet(Context& context, const FleetOptions& o)
{
    return guardedRun(context, [&] {
        const Opened opened = open(context, o.file, platform::GetTempFolder());
        const auto settings = config::ReadSettings(opened.session->Text());
        int exit = ExitSuccess;
        nlohmann::json doc = nlohmann::json::object();
        for (const std::string& key : o.keys) {
            const auto setting = config::FindSetting(settings, key);
            if (!setting) {
                Complain(context, displayName(o.file) + ": " + Say(context, kKeyNotSet, {key}));
                exit = ExitIoError;
                doc[key] = nullptr;
                continue;
            }
            if (o.json)
                doc[key] = setting->value;
            else if (!context.quiet)
                context.out << Visible(setting->value) << "\n";
        }
        if (o.json && !context.quiet) {
            KeepBytesRecoverable(doc);
            context.out << doc.dump(2) << "\n";
        }
        return exit;
    });
}

/** A rule's message as the editor shows it: its title and text. */
std::string ruleMessage(const Context& context, const config::RuleMessage& m)
{
    return Say(context, m.titleId) + ": " + Say(context, m.textId) + m.textSuffix;
}

/**
 * The editor's rules for a typed value of a key, before it goes into the file: the value to write
 * (the memory size cut to a multiple of 4), or the refusal's message.
 */
std::variant<std::string, std::string> editorRule(const Context& context, const config::ConfigSession& session,
                                                  const std::string& key, const std::string& value)
{
    using Result = std::variant<std::string, std::string>;
    const std::string lower = vmx::ToLower(key);
    const config::EditorLimits& limits = session.Limits();
    if (lower == "memsize") {
        // A product the tables do not know limits only by the field's 16 bits.
        const auto d = config::CheckMemorySize(value, limits.MaxMemoryMB > 0 ? limits.MaxMemoryMB : 32767);
        if (d.refused() && d.message)
            return Result(std::in_place_index<1>, ruleMessage(context, *d.message));
        if (d.stored())
            return Result(std::in_place_index<0>, std::to_string(d.megabytes));
    } else if (lower == "numvcpus") {
        std::int64_t n = 0;
        if (vmx::ParseInteger(value, 1, 32767, n) != vmx::NumberStatus::Ok)
            return Result(std::in_place_index<1>, Say(context, 185));
        if (limits.MaxCPUs > 0 && n > limits.MaxCPUs)
            return Result(std::in_place_index<1>,
                          Say(context, kTooManyCpus, {std::to_string(n), std::to_string(limits.MaxCPUs)}));
    } else if (lower.starts_with("ethernet") && (lower.ends_with(".address") || lower.ends_with(".generatedaddress"))) {
        const std::int16_t type = lower.ends_with(".address") ? config::kMacStatic : config::kMacGenerated;
        const config::MacGroups groups = config::SplitMacAddress(value);
        bool shaped = value.size() == 17;
        for (std::size_t i = 2; shaped && i < value.size(); i += 3)
            shaped = value[i] == ':';
        for (int g = 0; g < config::kMacGroupCount; ++g) {
            const std::string& group = groups[static_cast<std::size_t>(g)];
            if (shaped && group.size() == 2 && !config::CheckMacBox(g, group, type).refused())
                continue;
            // The box's message names the range the address must lie in.
            const auto refusal = config::CheckMacBox(g, "zz", type);
            return Result(std::in_place_index<1>, ruleMessage(context, *refusal.message));
        }
    } else if (lower.starts_with("ethernet") && lower.ends_with(".generatedaddressoffset")) {
        const auto d = config::CheckGenAddressOffset(value);
        if (d.refused() && d.message)
            return Result(std::in_place_index<1>, ruleMessage(context, *d.message));
    }
    return Result(std::in_place_index<0>, value);
}

int runSet(Context& context, const FleetOptions& o)
{
    return guardedRun(context, [&]() -> int {
        const std::string name = displayName(o.file);
        // The arguments first: a bad one changes nothing.
        std::vector<std::pair<std::string, std::string>> changes;
        for (const std::string& a : o.assignments) {
            const auto eq = a.find('=');
            if (eq == std::string::npos) {
                Complain(context, Say(context, kNotAnAssignment, {a}));
                return ExitRefused;
            }
            std::string key(vmx::TrimSpacesAndTabs(std::string_view(a).substr(0, eq)));
            if (!isKeyText(key)) {
                Complain(context, Say(context, kBadKey, {key}));
                return ExitRefused;
            }
            changes.emplace_back(std::move(key), a.substr(eq + 1));
        }
        const bool toStdout = IsStdio(o.file) && o.output.empty();
        Opened before = open(context, o.file, platform::GetTempFolder(), o.backup && !o.dryRun);
        std::string text = before.session->Text();
        for (auto& [key, value] : changes) {
            auto ruled = editorRule(context, *before.session, key, value);
            if (ruled.index() == 1) {
                Complain(context, name + ": " + key + ": " + std::get<1>(ruled));
                return ExitRefused;
            }
            value = std::get<0>(ruled);
            text = config::ReplaceKeyLine(text, key, key + " = \"" + vmx::EscapeValue(value) + "\"");
        }
        // Read back through the model: what it understands takes its place, the rest is kept.
        config::ConfigSession after(platform::GetTempFolder());
        after.OpenText(text, before.input.path);
        for (const auto& problem : after.Problems()) {
            for (const auto& [key, value] : changes) {
                if (vmx::EqualsIgnoreCase(problem.key, key)) {
                    Complain(context, name + ":" + std::to_string(problem.line) + ": " + key + ": " +
                                          Say(context, config::ProblemTextId(problem.code)));
                    return ExitRefused;
                }
            }
        }
        // The product's limits: what was within them must stay so.
        const auto limitsBefore = config::CheckLimits(*before.session, {});
        for (const CheckFinding& f : config::CheckLimits(after, {})) {
            const bool old = std::any_of(limitsBefore.begin(), limitsBefore.end(),
                                         [&](const CheckFinding& b) { return b.code == f.code; });
            if (f.severity == Severity::Error && !old) {
                Complain(context, name + ": " + FindingText(f, context));
                return ExitRefused;
            }
        }
        const std::string written = after.Text();
        if (o.dryRun) {
            const std::string diff = config::UnifiedDiff(before.input.text, written, name, name);
            if (diff.empty() && !context.quiet)
                context.err << Say(context, kNothingChanged) << "\n";
            std::istringstream lines(diff);
            for (std::string line; std::getline(lines, line);)
                context.out << Visible(line) << "\n";
            return ExitSuccess;
        }
        if (toStdout || IsStdio(o.output)) {
            context.out << written;
            return ExitSuccess;
        }
        if (!o.output.empty())
            after.SaveAs(o.output);
        if (const auto refusal = after.CheckBeforeSave()) {
            Complain(context, name + ": " + vmx::RefusalTitle(*refusal, context.text) + ": " +
                                  vmx::RefusalMessage(*refusal, context.text));
            return ExitRefused;
        }
        if (o.output.empty()) {
            if (const auto backup = before.session->BackupIfDue(); backup && !context.quiet)
                context.err << Visible(Say(context, kBackupCreatedAs, {backup->string()})) << "\n";
        }
        const vmx::SavedFile saved = after.Save();
        if (!context.quiet)
            context.out << Visible(Say(context, kWritten, {saved.path.string()})) << "\n";
        return ExitSuccess;
    });
}

// ---------------------------------------------------------------------------------------------
// diff

std::string quoted(const std::string& value)
{
    return "\"" + vmx::EscapeValue(value) + "\"";
}

int runDiff(Context& context, const FleetOptions& o)
{
    if (stdinTwice(context, {o.file, o.second}))
        return ExitRefused;
    try {
        const std::string tempFolder = platform::GetTempFolder();
        const Opened a = open(context, o.file, tempFolder);
        const Opened b = open(context, o.second, tempFolder);
        const auto changes =
            config::CompareSettings(config::ReadSettings(a.session->Text()), config::ReadSettings(b.session->Text()));
        if (o.json) {
            nlohmann::json list = nlohmann::json::array();
            for (const auto& c : changes) {
                list.push_back({{"key", c.key},
                                {"a", c.before ? nlohmann::json(*c.before) : nlohmann::json()},
                                {"b", c.after ? nlohmann::json(*c.after) : nlohmann::json()}});
            }
            nlohmann::json doc = {{"a", displayName(o.file)}, {"b", displayName(o.second)}, {"changes", list}};
            KeepBytesRecoverable(doc);
            if (!context.quiet)
                context.out << doc.dump(2) << "\n";
        } else if (!context.quiet) {
            for (const auto& c : changes) {
                if (c.before)
                    context.out << "- " << Visible(c.key) << " = " << Visible(quoted(*c.before)) << "\n";
                if (c.after)
                    context.out << "+ " << Visible(c.key) << " = " << Visible(quoted(*c.after)) << "\n";
            }
        }
        return changes.empty() ? 0 : 1;
    } catch (const std::exception& e) {
        Complain(context, e.what());
        return 2;
    }
}

} // namespace

void registerFleetCommands(CLI::App& app, Context& context)
{
    auto o = std::make_shared<FleetOptions>();

    CLI::App* check = app.add_subcommand(
        "check", "Check configurations against every rule of the editor without writing anything.");
    check->add_option("files", o->files, "The .vmx files (- for standard input)")->required();
    check->add_flag("--json", o->json, "Print the findings as one JSON object");
    check->add_option("-j,--jobs", o->jobs, "Threads to use (default: one per processor)")->check(CLI::Range(1, 256));
    check->footer("Prints one line per finding, FILE:LINE: SEVERITY: TEXT. Exit codes: 0 clean, 1 errors found, "
                  "2 bad arguments.\n\nExample:\n  zentravolix-cli check vms/*/*.vmx");
    check->callback([&context, o] { context.exitCode = runCheck(context, *o); });

    CLI::App* get = app.add_subcommand("get", "Print the values of keys as a save of the file would write them.");
    get->add_option("file", o->file, "The .vmx file (- for standard input)")->required();
    get->add_option("keys", o->keys, "Keys, in any letter case")->required();
    get->add_flag("--json", o->json, "Print one JSON object of the keys and their values (null when not set)");
    get->footer("Example:\n  zentravolix-cli get vm.vmx memsize numvcpus");
    get->callback([&context, o] { context.exitCode = runGet(context, *o); });

    CLI::App* set = app.add_subcommand(
        "set", "Change settings through the model with the editor's rules, and save as the editor saves.");
    set->add_option("file", o->file, "The .vmx file (- reads standard input and writes standard output)")->required();
    set->add_option("assignments", o->assignments, "KEY=VALUE pairs")->required();
    set->add_flag("-n,--dry-run", o->dryRun, "Print the difference a save would make instead of saving");
    set->add_flag("--backup", o->backup, "Copy the file as it was read to FILE.bak before saving over it");
    set->add_option("-o,--output", o->output, "Save under this name instead (- for standard output)");
    set->footer("A key the program does not understand is kept as a line of its own.\n\nExample:\n"
                "  zentravolix-cli set --backup vm.vmx memsize=4096 ethernet0.connectionType=nat");
    set->callback([&context, o] { context.exitCode = runSet(context, *o); });

    CLI::App* diff = app.add_subcommand("diff", "Compare two configurations key by key, as settings.");
    diff->add_option("a", o->file, "The first .vmx file (- for standard input)")->required();
    diff->add_option("b", o->second, "The second .vmx file (- for standard input)")->required();
    diff->add_flag("--json", o->json, "Print the differences as one JSON object");
    diff->footer("Exit codes: 0 the same settings, 1 different, 2 bad arguments or an unreadable file.\n\n"
                 "Example:\n  zentravolix-cli diff old/vm.vmx new/vm.vmx");
    diff->callback([&context, o] { context.exitCode = runDiff(context, *o); });
}

} // namespace zentravolix::cli
