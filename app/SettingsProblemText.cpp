// SPDX-License-Identifier: MIT
#include "app/SettingsProblemText.h"

#include "editor/widget/UiText.h"

#include <QStringList>

namespace zentravolix::app {

using editor::text;

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
    // The program's own texts 441-450 (texts.tsv), one per code.
    switch (problem.code) {
    case Code::IniUnreadable:
        return text(441).arg(file, detail);
    case Code::StoreUnreadable:
        return text(442).arg(file, detail);
    case Code::IniWriteFailed:
        return text(443).arg(file, detail);
    case Code::RegistryWriteFailed:
        return text(444).arg(file, detail);
    case Code::BadCreateBackups:
        return text(445).arg(file, detail);
    case Code::BadLanguageOffset:
        return text(446).arg(file, detail);
    case Code::FavoriteTooFewParts:
        return text(447).arg(file, key, detail);
    case Code::FavoriteBadVersion:
        return text(448).arg(file, key, detail);
    case Code::FavoriteNotStorable:
        return text(449).arg(file, detail.isEmpty() ? key : detail);
    case Code::SettingNotStorable:
        return text(450).arg(file, key);
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
