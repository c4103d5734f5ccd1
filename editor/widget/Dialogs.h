// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <memory>
#include <optional>

class QMessageBox;
class QWidget;

namespace zentravolix::config {
struct SavePreview;
}

namespace zentravolix::editor {

/** The icon of a message box. */
enum class MessageIcon {
    None,
    Information,
    Warning,
    Critical,
    Question,
};

/** The button that closed a message box. */
enum class Answer {
    Ok,
    Cancel,
    Yes,
    No,
};

/** The buttons a message box offers. */
enum class Buttons {
    Ok,
    OkCancel,
    YesNo,
    YesNoCancel,
};

/** What to do with a file another program changed since the editor opened it. */
enum class DiskChangeAnswer {
    Reload,
    Overwrite,
    Cancel,
};

/**
 * Every message box, question, input box, file dialog and folder browser of the program goes
 * through this interface, so that tests can record what was shown and answer questions.
 * Filters are written "description|pattern|description|pattern...".
 */
class Dialogs {
public:
    virtual ~Dialogs() = default;

    /**
     * Shows a message and waits; returns the button pressed (Cancel/No when closed otherwise).
     * defaultButton is the answer Enter gives; none leaves the toolkit's choice (the first
     * affirmative button).
     */
    virtual Answer message(QWidget* parent, const QString& text, const QString& title, MessageIcon icon,
                           Buttons buttons = Buttons::Ok, std::optional<Answer> defaultButton = std::nullopt) = 0;
    /** Asks for one line of text; nothing when the user cancelled. */
    virtual std::optional<QString> input(QWidget* parent, const QString& prompt, const QString& title,
                                         const QString& initial) = 0;
    /** Asks for an existing file; "" on Cancel. */
    virtual QString openFile(QWidget* parent, const QString& title, const QString& filter,
                             const QString& startFolder) = 0;
    /** Asks for a file name to write; "" on Cancel. */
    virtual QString saveFile(QWidget* parent, const QString& title, const QString& filter,
                             const QString& startFolder) = 0;
    /** Asks for a folder; "" on Cancel. The result carries no trailing separator. */
    virtual QString browseFolder(QWidget* parent, const QString& title, const QString& startFolder) = 0;
    /**
     * Shows what a save changes in fileName (frmSavePreview) and waits: true for Save, false for
     * Cancel. doNotShowAgain receives the state of its "Do not show again" box.
     */
    virtual bool previewSave(QWidget* parent, const QString& fileName, const config::SavePreview& preview,
                             bool& doNotShowAgain) = 0;
    /** Tells that the file changed on disk and asks whether to reload it, overwrite it or cancel. */
    virtual DiskChangeAnswer askAboutChangedFile(QWidget* parent, const QString& text, const QString& title) = 0;
};

/** The real dialogs: QMessageBox, QInputDialog and QFileDialog. */
class QtDialogs final : public Dialogs {
public:
    Answer message(QWidget* parent, const QString& text, const QString& title, MessageIcon icon,
                   Buttons buttons = Buttons::Ok, std::optional<Answer> defaultButton = std::nullopt) override;
    /** The box message() shows, built but not yet shown. */
    static std::unique_ptr<QMessageBox> makeMessageBox(QWidget* parent, const QString& text, const QString& title,
                                                       MessageIcon icon, Buttons buttons,
                                                       std::optional<Answer> defaultButton);
    std::optional<QString> input(QWidget* parent, const QString& prompt, const QString& title,
                                 const QString& initial) override;
    QString openFile(QWidget* parent, const QString& title, const QString& filter,
                     const QString& startFolder) override;
    QString saveFile(QWidget* parent, const QString& title, const QString& filter,
                     const QString& startFolder) override;
    QString browseFolder(QWidget* parent, const QString& title, const QString& startFolder) override;
    bool previewSave(QWidget* parent, const QString& fileName, const config::SavePreview& preview,
                     bool& doNotShowAgain) override;
    DiskChangeAnswer askAboutChangedFile(QWidget* parent, const QString& text, const QString& title) override;

    /** "desc|*.vmx|All|*" -> "desc (*.vmx);;All (*)", the form QFileDialog takes. */
    static QString toQtFilter(const QString& filter);
};

} // namespace zentravolix::editor
