// SPDX-License-Identifier: MIT
#include "app/CommandLine.h"
#include "app/QuitAfterShow.h"
#include "app/VersionText.h"
#include "app/ZentravolixApplication.h"
#include "app/frmMain.h"
#include "editor/widget/Dialogs.h"
#include "platform/Settings.h"

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

    platform::ProgramSettings settings;
    app::frmMain window(dialogs, settings);
    if (app::QuitAfterShow::Requested())
        new app::QuitAfterShow(&window);
    window.show();
    window.ProcessCommandLine(app::WholeCommandLine(application.arguments()));
    return application.exec();
}
