// SPDX-License-Identifier: MIT
#include "editor/widget/Dialogs.h"

#include "editor/dialogs/frmSavePreview.h"
#include "editor/widget/UiText.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

#include <utility>

namespace zentravolix::editor {

namespace {

QMessageBox::Icon toQtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQtButtons(Buttons buttons)
{
    switch (buttons) {
    case Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

// The standard buttons speak the program's language, not the toolkit's: the texts of a
// question ("click Yes") name them as the table does.
constexpr int kOkText = 50;
constexpr int kCancelText = 51;
constexpr int kYesText = 359;
constexpr int kNoText = 360;
constexpr int kReloadText = 2548;
constexpr int kOverwriteText = 2549;

void captionButtons(QMessageBox& box)
{
    const std::pair<QMessageBox::StandardButton, int> captions[] = {
        {QMessageBox::Ok, kOkText}, {QMessageBox::Cancel, kCancelText}, {QMessageBox::Yes, kYesText},
        {QMessageBox::No, kNoText}};
    for (const auto& [which, id] : captions) {
        if (QAbstractButton* button = box.button(which))
            button->setText(text(id));
    }
}

} // namespace

std::unique_ptr<QMessageBox> QtDialogs::makeMessageBox(QWidget* parent, const QString& text, const QString& title,
                                                       MessageIcon icon, Buttons buttons,
                                                       std::optional<Answer> defaultButton)
{
    auto box = std::make_unique<QMessageBox>(toQtIcon(icon), title, text, toQtButtons(buttons), parent);
    captionButtons(*box);
    if (defaultButton) {
        QMessageBox::StandardButton standard = QMessageBox::Ok;
        switch (*defaultButton) {
        case Answer::Ok: standard = QMessageBox::Ok; break;
        case Answer::Cancel: standard = QMessageBox::Cancel; break;
        case Answer::Yes: standard = QMessageBox::Yes; break;
        case Answer::No: standard = QMessageBox::No; break;
        }
        if (QAbstractButton* button = box->button(standard))
            box->setDefaultButton(static_cast<QPushButton*>(button));
    }
    return box;
}

Answer QtDialogs::message(QWidget* parent, const QString& text, const QString& title, MessageIcon icon,
                          Buttons buttons, std::optional<Answer> defaultButton)
{
    const auto box = makeMessageBox(parent, text, title, icon, buttons, defaultButton);
    switch (box->exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        // Escape or the window's close button: the safe answer of the box.
        return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
    }
}

std::optional<QString> QtDialogs::input(QWidget* parent, const QString& prompt, const QString& title,
                                        const QString& initial)
{
    QInputDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(initial);
    dialog.setOkButtonText(text(kOkText));
    dialog.setCancelButtonText(text(kCancelText));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

QString QtDialogs::openFile(QWidget* parent, const QString& title, const QString& filter,
                            const QString& startFolder)
{
    return QFileDialog::getOpenFileName(parent, title, startFolder, toQtFilter(filter));
}

QString QtDialogs::saveFile(QWidget* parent, const QString& title, const QString& filter,
                            const QString& startFolder)
{
    return QFileDialog::getSaveFileName(parent, title, startFolder, toQtFilter(filter));
}

QString QtDialogs::browseFolder(QWidget* parent, const QString& title, const QString& startFolder)
{
    return QFileDialog::getExistingDirectory(parent, title, startFolder);
}

bool QtDialogs::previewSave(QWidget* parent, const QString& fileName, const config::SavePreview& preview,
                            bool& doNotShowAgain)
{
    frmSavePreview dialog(parent);
    dialog.SetPreview(fileName, preview);
    const bool save = dialog.exec() == QDialog::Accepted;
    doNotShowAgain = dialog.DoNotShowAgain();
    return save;
}

DiskChangeAnswer QtDialogs::askAboutChangedFile(QWidget* parent, const QString& message, const QString& title)
{
    QMessageBox box(QMessageBox::Warning, title, message, QMessageBox::NoButton, parent);
    QPushButton* reload = box.addButton(text(kReloadText), QMessageBox::DestructiveRole);
    QPushButton* overwrite = box.addButton(text(kOverwriteText), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(text(kCancelText), QMessageBox::RejectRole);
    // Neither answer is safe to give by Enter: both lose one side's changes.
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == reload)
        return DiskChangeAnswer::Reload;
    if (box.clickedButton() == overwrite)
        return DiskChangeAnswer::Overwrite;
    return DiskChangeAnswer::Cancel;
}

QString QtDialogs::toQtFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        // Our filter strings separate patterns with ";", Qt with blanks.
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        QString description = parts[i];
        if (!description.contains(QLatin1Char('(')))
            description += QStringLiteral(" (") + patterns + QLatin1Char(')');
        else if (!description.contains(patterns))
            description = description.trimmed() + QStringLiteral(" (") + patterns + QLatin1Char(')');
        entries.push_back(description);
    }
    return entries.join(QStringLiteral(";;"));
}

} // namespace zentravolix::editor
