// SPDX-License-Identifier: MIT
#include "app/CommandLine.h"
#include "app/QuitAfterShow.h"
#include "app/SingleInstance.h"
#include "app/VersionText.h"
#include "app/ZentravolixApplication.h"
#include "app/frmMain.h"
#include "editor/widget/Dialogs.h"
#include "platform/Settings.h"

#include <QCommandLineParser>
#include <QFileInfo>

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
    const QCommandLineOption newInstance(
        QStringLiteral("new-instance"),
        QStringLiteral("Start a window of its own instead of handing the files to the running one."));
    parser.addOption(newInstance);
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("The .vmx files to open, each in a tab."),
                                 QStringLiteral("[file.vmx...]"));
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

    // The options are gone from here on; what is left are the files.
    QStringList positional = parser.positionalArguments();
    positional.prepend(application.arguments().value(0));
    const QStringList files = app::CommandLineFiles(positional);

    // A window already running in this session takes the files and comes to the front; it alone
    // keeps the favourites. Paths go over relative to this start's folder.
    app::SingleInstance instance(app::SingleInstance::DefaultName());
    // Start-up measurements and tests run windows of their own, often several at once.
    const bool single = !parser.isSet(newInstance) && qEnvironmentVariableIsEmpty("ZENTRAVOLIX_NEW_INSTANCE") &&
                        !app::QuitAfterShow::Requested();
    if (single) {
        QStringList absolute;
        for (const QString& file : files)
            absolute.append(QFileInfo(file).absoluteFilePath());
        if (instance.HandOver(absolute))
            return 0;
        instance.Listen();
    }

    platform::ProgramSettings settings;
    app::frmMain window(dialogs, settings);
    if (app::QuitAfterShow::Requested())
        new app::QuitAfterShow(&window);
    window.show();
    QObject::connect(&instance, &app::SingleInstance::filesReceived, &window, &app::frmMain::ReceiveFiles);
    window.OpenCommandLineFiles(files);
    return application.exec();
}
