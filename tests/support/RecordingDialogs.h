// SPDX-License-Identifier: MIT
#pragma once

// A Dialogs implementation for tests: records every call and answers from queues, so a test can
// check which message was shown (text, title, icon) and script the user's replies.

#include "editor/widget/Dialogs.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

namespace zentravolix::testing {

class RecordingDialogs final : public editor::Dialogs {
public:
    enum class Kind {
        Message,
        Input,
        OpenFile,
        SaveFile,
        BrowseFolder,
    };

    /** One recorded call. For a message: text, title, icon, buttons; for the others: prompt/title. */
    struct Call {
        Kind kind = Kind::Message;
        QString text;
        QString title;
        editor::MessageIcon icon = editor::MessageIcon::None;
        editor::Buttons buttons = editor::Buttons::Ok;
        QString initial; // input initial text, or the start folder of a file/folder dialog
        QString filter;
        /** For a message: the answer Enter gives, when the caller chose one. */
        std::optional<editor::Answer> defaultButton;
    };

    std::vector<Call> calls;

    /** Answers for message(); when empty, Ok (or Yes for a Yes/No question) is returned. */
    std::deque<editor::Answer> answers;
    /** Replies for input(); std::nullopt is a Cancel. When empty, the initial text is returned. */
    std::deque<std::optional<QString>> inputs;
    /** Paths returned by openFile/saveFile/browseFolder, in call order; "" (Cancel) when empty. */
    std::deque<QString> paths;

    editor::Answer message(QWidget*, const QString& text, const QString& title, editor::MessageIcon icon,
                           editor::Buttons buttons = editor::Buttons::Ok,
                           std::optional<editor::Answer> defaultButton = std::nullopt) override
    {
        calls.push_back({Kind::Message, text, title, icon, buttons, {}, {}, defaultButton});
        if (!answers.empty()) {
            const editor::Answer a = answers.front();
            answers.pop_front();
            return a;
        }
        return (buttons == editor::Buttons::YesNo || buttons == editor::Buttons::YesNoCancel)
                   ? editor::Answer::Yes
                   : editor::Answer::Ok;
    }

    std::optional<QString> input(QWidget*, const QString& prompt, const QString& title,
                                 const QString& initial) override
    {
        calls.push_back(
            {Kind::Input, prompt, title, editor::MessageIcon::None, editor::Buttons::OkCancel, initial, {}, {}});
        if (inputs.empty())
            return initial;
        // Copied out as a flag and a text: g++ 12 misreads a moved std::optional<QString> here.
        const bool cancelled = !inputs.front().has_value();
        const QString text = inputs.front().value_or(QString());
        inputs.pop_front();
        if (cancelled)
            return std::nullopt;
        return text;
    }

    QString openFile(QWidget*, const QString& title, const QString& filter,
                     const QString& startFolder) override
    {
        calls.push_back({Kind::OpenFile,
                         {},
                         title,
                         editor::MessageIcon::None,
                         editor::Buttons::OkCancel,
                         startFolder,
                         filter,
                         {}});
        return nextPath();
    }

    QString saveFile(QWidget*, const QString& title, const QString& filter,
                     const QString& startFolder) override
    {
        calls.push_back({Kind::SaveFile,
                         {},
                         title,
                         editor::MessageIcon::None,
                         editor::Buttons::OkCancel,
                         startFolder,
                         filter,
                         {}});
        return nextPath();
    }

    QString browseFolder(QWidget*, const QString& title, const QString& startFolder) override
    {
        calls.push_back({Kind::BrowseFolder,
                         {},
                         title,
                         editor::MessageIcon::None,
                         editor::Buttons::OkCancel,
                         startFolder,
                         {},
                         {}});
        return nextPath();
    }

    /** The recorded message boxes only. */
    std::vector<Call> messages() const
    {
        std::vector<Call> result;
        for (const auto& c : calls)
            if (c.kind == Kind::Message)
                result.push_back(c);
        return result;
    }

    /** Titles of the recorded message boxes, in order (handy in failure output). */
    QStringList messageTitles() const
    {
        QStringList titles;
        for (const auto& c : calls)
            if (c.kind == Kind::Message)
                titles << c.title;
        return titles;
    }

    void clear() { calls.clear(); }

private:
    QString nextPath()
    {
        if (paths.empty())
            return {};
        QString p = paths.front();
        paths.pop_front();
        return p;
    }
};

} // namespace zentravolix::testing
