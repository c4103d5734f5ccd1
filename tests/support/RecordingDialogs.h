// SPDX-License-Identifier: MIT
#pragma once

// A Dialogs implementation for tests: records every call and answers from queues, so a test can
// check which message was shown (text, title, icon) and script the user's replies.

#include "config/SavePreview.h"
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
        SavePreview,
        ChangedFile,
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
    /** What previewSave was shown (its file name is the call's text), in call order. */
    std::vector<config::SavePreview> previews;
    /** Answers for previewSave (true: Save); Save when empty. */
    std::deque<bool> previewAnswers;
    /** What previewSave's "Do not show again" box holds when it closes. */
    bool previewDoNotShowAgain = false;
    /** Answers for askAboutChangedFile; Overwrite when empty, as the program did before it asked. */
    std::deque<editor::DiskChangeAnswer> changedFileAnswers;

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

    bool previewSave(QWidget*, const QString& fileName, const config::SavePreview& preview,
                     bool& doNotShowAgain) override
    {
        calls.push_back({Kind::SavePreview, fileName, {}, editor::MessageIcon::None, editor::Buttons::OkCancel, {}, {}, {}});
        previews.push_back(preview);
        doNotShowAgain = previewDoNotShowAgain;
        if (previewAnswers.empty())
            return true;
        const bool save = previewAnswers.front();
        previewAnswers.pop_front();
        return save;
    }

    editor::DiskChangeAnswer askAboutChangedFile(QWidget*, const QString& text, const QString& title) override
    {
        calls.push_back({Kind::ChangedFile, text, title, editor::MessageIcon::Warning, editor::Buttons::OkCancel, {}, {}, {}});
        if (changedFileAnswers.empty())
            return editor::DiskChangeAnswer::Overwrite;
        const editor::DiskChangeAnswer answer = changedFileAnswers.front();
        changedFileAnswers.pop_front();
        return answer;
    }

    /** The recorded calls of one kind. */
    std::vector<Call> callsOf(Kind kind) const
    {
        std::vector<Call> result;
        for (const auto& c : calls)
            if (c.kind == kind)
                result.push_back(c);
        return result;
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
