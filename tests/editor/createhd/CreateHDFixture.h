// SPDX-License-Identifier: MIT
#pragma once

// The new-disk dialog built on its own, its answers and folder choices scripted, its disks made
// in a temporary folder.

#include "editor/dialogs/frmCreateHD.h"
#include "platform/TextTable.h"
#include "support/RecordingDialogs.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace zentravolix::testing {

class CreateHDTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetLanguageOffset(0);
        ASSERT_TRUE(tmp.isValid());
        folder = tmp.path().toStdString() + "/";
        dialog = std::make_unique<editor::frmCreateHD>(dialogs);
    }

    /** Proposes a name in the temporary folder and loads the dialog. */
    void load(const std::string& proposal = "test.vmdk")
    {
        dialog->DiskName = QString::fromStdString(folder + proposal);
        dialog->Load();
    }

    template <class W>
    W* child(const char* name) const
    {
        W* w = dialog->findChild<W*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << "no control named " << name;
        return w;
    }
    QRadioButton* option(const char* name) const { return child<QRadioButton>(name); }
    QLineEdit* box(const char* name) const { return child<QLineEdit>(name); }
    QPushButton* button(const char* name) const { return child<QPushButton>(name); }

    /** Types text into a box and leaves it. */
    static void leave(QLineEdit* box, const QString& text)
    {
        box->setText(text);
        emit box->editingFinished();
    }

    /** Chooses an option as the user does. */
    static void choose(QRadioButton* option) { option->click(); }

    /**
     * Types a size, then picks its unit; the size rule runs once, on the new number (through the
     * unit change, or on leaving the box when the unit was chosen already).
     */
    void typeSize(const char* unit, const QString& size)
    {
        box("txtDiskSize")->setText(size);
        if (option(unit)->isChecked())
            emit box("txtDiskSize")->editingFinished();
        else
            choose(option(unit));
    }

    static QString text(int id) { return QString::fromStdString(platform::LoadLocalizedText(id)); }

    QStringList messageTexts() const
    {
        QStringList list;
        for (const auto& m : dialogs.messages())
            list << m.text;
        return list;
    }

    RecordingDialogs dialogs;
    QTemporaryDir tmp;
    std::string folder;
    std::unique_ptr<editor::frmCreateHD> dialog;
};

} // namespace zentravolix::testing
