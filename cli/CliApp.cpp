// SPDX-License-Identifier: MIT
#include "cli/CliApp.h"

#include "cli/DiskCommands.h"
#include "cli/FleetCommands.h"
#include "cli/VmxCommands.h"
#include "platform/Process.h"
#include "platform/TextTable.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>

namespace zentravolix::cli {

namespace {
constexpr const char* kExitCodes = "Exit codes: 0 success, 1 I/O error (or a missing or failing tool), 2 "
                                   "refused by a rule or bad arguments.";
}

std::string VersionText()
{
    // The program's own form: minor with two digits, revision with four (0.1.0 -> "0.01.0000").
    char text[64];
    std::snprintf(text, sizeof text, "%d.%02d.%04d", ZV_VERSION_MAJOR, ZV_VERSION_MINOR, ZV_VERSION_PATCH);
    return text;
}

Context DefaultContext(std::ostream& out, std::ostream& err)
{
    Context context(out, err);
    context.in = &std::cin;
    const char* path = std::getenv("PATH");
    context.searchPath = path ? path : "";
    context.runCommand = [](const std::string& program, const std::vector<std::string>& arguments) {
        const platform::CommandResult r = platform::RunCommandAndWait(program, arguments);
        return disk::ToolRun{r.started, r.exitCode, r.error};
    };
    context.text = [](int id) { return platform::LoadLocalizedText(id); };
    return context;
}

int run(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    Context context = DefaultContext(out, err);
    return run(argc, argv, context);
}

int run(int argc, const char* const* argv, Context& context)
{
    CLI::App app("Creates and inspects VMware virtual disks and machine configurations.", "zentravolix-cli");
    app.footer(kExitCodes);
    app.set_version_flag("--version", "zentravolix-cli " + VersionText(), "Print the version and exit");
    app.require_subcommand(1);
    // --quiet is the tool's own and may follow the command, so unknown options fall through to it.
    app.fallthrough(true);
    context.quiet = false;
    app.add_flag("-q,--quiet", context.quiet, "Print only errors; the exit code tells the rest");

    // One registration per command group.
    registerDiskCommands(app, context);
    registerVmxCommands(app, context);
    registerFleetCommands(app, context);

    context.exitCode = ExitSuccess;
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        app.exit(e, context.out, context.err);
        return ExitSuccess;
    } catch (const CLI::CallForAllHelp& e) {
        app.exit(e, context.out, context.err);
        return ExitSuccess;
    } catch (const CLI::CallForVersion& e) {
        context.out << e.what() << "\n";
        return ExitSuccess;
    } catch (const CLI::ParseError& e) {
        app.exit(e, context.out, context.err);
        return e.get_exit_code() == 0 ? ExitSuccess : ExitRefused;
    } catch (const std::exception& e) {
        context.err << "zentravolix-cli: " << e.what() << "\n";
        return ExitIoError;
    }
    return context.exitCode;
}

} // namespace zentravolix::cli
