// SPDX-License-Identifier: MIT
#include "app/SettingsProblemText.h"

#include <QStringList>

namespace zentravolix::app {
namespace {
QString q(const std::string& s)
{
    return QString::fromStdString(s);
}
} // namespace

QString SettingsProblemText(const platform::SettingsProblem& problem)
{
    using Code = platform::SettingsProblem::Code;
    const QString file = q(problem.file);
    const QString key = q(problem.key);
    const QString detail = q(problem.detail);
    switch (problem.code) {
    case Code::IniUnreadable:
        return QStringLiteral("%1 could not be read (%2); the default settings are used. The file is "
                              "not replaced by them: at quit only what you change is saved into it.")
            .arg(file, detail);
    case Code::StoreUnreadable:
        return QStringLiteral("%1 could not be read (%2); the settings file is looked for in the default "
                              "folder. The location stored there is kept unless you change it in the options.")
            .arg(file, detail);
    case Code::IniWriteFailed:
        return QStringLiteral("The settings could not be written to %1: %2").arg(file, detail);
    case Code::RegistryWriteFailed:
        return QStringLiteral("The location of the settings file could not be stored in %1: %2")
            .arg(file, detail);
    case Code::BadCreateBackups:
        return QStringLiteral("%1: \"CreateBackups\" is not a number (\"%2\"); backups stay on.")
            .arg(file, detail);
    case Code::BadLanguageOffset:
        return QStringLiteral("%1: \"LanguageOffset\" is not a number (\"%2\"); English is used.")
            .arg(file, detail);
    case Code::FavoriteTooFewParts:
        return QStringLiteral(
                   "%1: favourite \"%2\" is not a name, a path and a version (\"%3\"); it was skipped.")
            .arg(file, key, detail);
    case Code::FavoriteBadVersion:
        return QStringLiteral(
                   "%1: favourite \"%2\" has a version that is not a number (\"%3\"); it was skipped.")
            .arg(file, key, detail);
    case Code::FavoriteNotStorable:
        return QStringLiteral("%1: the favourite \"%2\" holds a line break and was not saved.")
            .arg(file, detail.isEmpty() ? key : detail);
    case Code::SettingNotStorable:
        return QStringLiteral("%1: the setting \"%2\" holds a line break and was not saved.").arg(file, key);
    }
    return QStringLiteral("%1: %2 %3").arg(file, key, detail);
}

QString SettingsProblemsText(const std::vector<platform::SettingsProblem>& problems)
{
    QStringList lines;
    for (const auto& problem : problems)
        lines << SettingsProblemText(problem);
    return lines.join(QLatin1Char('\n'));
}

} // namespace zentravolix::app
