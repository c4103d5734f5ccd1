// SPDX-License-Identifier: MIT
#pragma once

// The one place where the program's Qt code turns a text id into what it shows. The Qt-free
// layers (config/, vmx/, disk/) hand out text ids and codes; the editor, the main window and their
// dialogs look them up here, in the language the program runs in.

#include "config/ChoiceLists.h"
#include "disk/DiskText.h"
#include "platform/TextTable.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace zentravolix::editor {

/** Caption of the English text id `id` in the current language (English where it has no row yet). */
inline std::string textStd(int id)
{
    return platform::LoadCaption(id);
}

/** The same as a QString: every window, page and message of the program is labelled through it. */
inline QString text(int id)
{
    return QString::fromStdString(textStd(id));
}

/** The text of a disk rule's message or title. */
inline QString text(disk::DiskText id)
{
    return text(disk::TextNumber(id));
}

/** A disk library message in words: its text filled from its arguments, or the system's own words. */
inline QString text(const disk::DiskMessage& message)
{
    if (message.text == disk::DiskText::None) {
        std::string joined;
        for (const std::string& arg : message.args)
            joined += (joined.empty() ? "" : ": ") + arg;
        return QString::fromStdString(joined);
    }
    return QString::fromStdString(platform::FillTextFrom(textStd(disk::TextNumber(message.text)), message.args));
}

/** Captions of a list of text ids, in list order. */
inline QStringList texts(const std::vector<int>& ids)
{
    QStringList captions;
    captions.reserve(static_cast<qsizetype>(ids.size()));
    for (int id : ids)
        captions.push_back(text(id));
    return captions;
}

/** Captions of a list that mixes text ids with host names, in list order. */
inline QStringList texts(const std::vector<config::ListEntry>& entries)
{
    QStringList captions;
    captions.reserve(static_cast<qsizetype>(entries.size()));
    for (const auto& entry : entries)
        captions.push_back(entry.textId != 0 ? text(entry.textId) : QString::fromStdString(entry.name));
    return captions;
}

} // namespace zentravolix::editor
