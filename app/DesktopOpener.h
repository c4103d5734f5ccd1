// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

namespace zentravolix::app {

/** The desktop entry id this program installs itself under (its .desktop file, icon and MIME data). */
inline constexpr const char* kDesktopId = "com.quindrel.Zentravolix";
/** The MIME type of virtual machine configurations. */
inline constexpr const char* kVmxMimeType = "application/x-vmware-vm";

/**
 * How a launch without a configured launch application starts a machine. The desktop is asked for
 * the application of the virtual-machine type itself, never of the file's type: on a desktop
 * without a MIME package for ".vmx" the file is plain text, and its opener would be a text editor.
 */
struct DesktopLaunch {
    enum class Kind {
        Opener,        ///< the desktop's opener with the file (the desktop could not be asked)
        Application,   ///< `program` with `arguments`, from the application's desktop entry
        NoApplication, ///< nothing that starts virtual machines is set up
    };
    Kind kind = Kind::Opener;
    QString program;
    QStringList arguments;
    QString application; ///< the desktop entry id the desktop named, when it named one
};

/** Asks xdg-mime for the default application of `kVmxMimeType` and plans the launch of `file`. */
DesktopLaunch PlanDesktopLaunch(const QString& file);

/**
 * The program and arguments of a desktop entry's Exec value for `file`: the value is split as the
 * Desktop Entry format quotes it, %f %F %u %U become the file (appended when none is there),
 * %% a percent sign, the other field codes are dropped. Empty when the value holds no program.
 */
QStringList DesktopExecArguments(const QString& exec, const QString& file);

/** The Exec value of the desktop entry `id` in the XDG data folders; empty when there is none. */
QString FindDesktopEntryExec(const QString& id);

} // namespace zentravolix::app
