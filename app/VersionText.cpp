// SPDX-License-Identifier: MIT
#include "app/VersionText.h"

#ifndef ZV_VERSION_MAJOR
#error "ZV_VERSION_MAJOR, ZV_VERSION_MINOR and ZV_VERSION_PATCH come from the build"
#endif

namespace zentravolix::app {

QString VersionText(int major, int minor, int revision)
{
    return QStringLiteral("%1.%2.%3")
        .arg(major)
        .arg(minor, 2, 10, QLatin1Char('0'))
        .arg(revision, 4, 10, QLatin1Char('0'));
}

QString BuildVersionText()
{
    return VersionText(ZV_VERSION_MAJOR, ZV_VERSION_MINOR, ZV_VERSION_PATCH);
}

QString VersionCaption()
{
    return QStringLiteral("v") + BuildVersionText() + QStringLiteral(" by Mornel");
}

} // namespace zentravolix::app
