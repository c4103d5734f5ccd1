// SPDX-License-Identifier: MIT
#include "app/CommandLine.h"
#include "app/QuitAfterShow.h"
#include "app/VersionText.h"
#include "app/ZentravolixApplication.h"
#include "app/frmMain.h"
#include "editor/widget/Dialogs.h"
#include "platform/Settings.h"

#include <QCommandLineParser>

#include <cstdio>

int main(int argc, char** argv)
{
    using namespace zentravolix;
    // The dialogs outlive the application object: it reports errors through them until the end.
    editor::QtDialogs dialogs;
    app::ZentravolixApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Zentravolix"));
    application.setOrganizationName(QStringLiteral("Quindrel"));
    application.setApplicationVersion(app::BuildVersionText());
    application.setDialogs(&dialogs);

    // --help and --version answer on the terminal; any other option is refused there too, so that
    // it never reaches the window as a file name. Qt's own options are taken out before this.
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Creates and edits the configuration files (.vmx) of VMware virtual machines."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A .vmx file to open."),
                                 QStringLiteral("[file.vmx]"));
    QStringList arguments = application.arguments();
    // A path that begins with a dash is still a file once "--" has been given.
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "zentravolix: %s\nTry 'zentravolix --help'.\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(help))
        parser.showHelp(0);
    if (parser.isSet(version))
        parser.showVersion();

    platform::ProgramSettings settings;
    app::frmMain window(dialogs, settings);
    if (app::QuitAfterShow::Requested())
        new app::QuitAfterShow(&window);
    window.show();
    window.ProcessCommandLine(app::WholeCommandLine(application.arguments()));
    return application.exec();
}
