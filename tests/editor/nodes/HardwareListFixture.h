// SPDX-License-Identifier: MIT
#pragma once

// A whole editor driven through its hardware list as the user does: clicking rows, adding through
// the add-hardware dialog, removing, and reading what each row shows.

#include "../EditorFixture.h"

#include "editor/dialogs/frmAddHardware.h"
#include "editor/widget/HardwareTab.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <optional>
#include <string>

namespace zentravolix::testing {

class HardwareListTest : public EditorTest {
protected:
    static QTreeWidget* list(const editor::Velmire& e) { return child<QTreeWidget>(e, "lvwHardwareList"); }

    static QStringList rowTexts(const editor::Velmire& e)
    {
        QStringList texts;
        for (int i = 0; i < list(e)->topLevelItemCount(); ++i)
            texts << list(e)->topLevelItem(i)->text(0);
        return texts;
    }

    /** Clicks row i. */
    static void clickRow(const editor::Velmire& e, int i)
    {
        QTreeWidgetItem* row = list(e)->topLevelItem(i);
        list(e)->setCurrentItem(row);
        emit list(e)->itemClicked(row, 0);
    }

    /** Clicks the row with this text; false when there is none. */
    static bool clickRow(const editor::Velmire& e, const QString& text)
    {
        const auto rows = list(e)->findItems(text, Qt::MatchExactly);
        if (rows.size() != 1)
            return false;
        clickRow(e, list(e)->indexOfTopLevelItem(rows.front()));
        return true;
    }

    /** Clicks Add and picks the kind with this type number in the add-hardware dialog. */
    static void addThroughDialog(editor::Velmire& e, int code)
    {
        QTimer::singleShot(0, &e, [code] {
            auto* dialog = qobject_cast<editor::frmAddHardware*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            auto* kinds = dialog->findChild<QTreeWidget*>(QStringLiteral("lvwAvailableHardware"));
            bool offered = false;
            for (int i = 0; i < kinds->topLevelItemCount() && !offered; ++i) {
                if (kinds->topLevelItem(i)->text(1).toInt() == code) {
                    emit kinds->itemClicked(kinds->topLevelItem(i), 0);
                    offered = true;
                }
            }
            dialog->findChild<QPushButton*>(QLatin1String(offered ? "cmdOK" : "cmdCancel"))->click();
        });
        child<QPushButton>(e, "cmdHardwareAdd")->click();
    }

    /** Chooses a list entry as the user does. */
    static void choose(QComboBox* combo, int index)
    {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    /** Chooses the entry that starts with this text ("SCSI 1:0"); false when there is none. */
    static bool chooseEntry(QComboBox* combo, const QString& start)
    {
        for (int i = 0; i < combo->count(); ++i) {
            const QString entry = combo->itemText(i);
            if (entry == start || entry.startsWith(start + QLatin1Char(' '))) {
                choose(combo, i);
                return true;
            }
        }
        return false;
    }

    static void clickRemove(const editor::Velmire& e) { child<QPushButton>(e, "cmdHardwareRemove")->click(); }

    /** The node a row's text shows: "IDE0:1" of "Hard Disk (IDE0:1)"; nothing without one. */
    static std::optional<std::string> nodeOfRow(const QString& text)
    {
        const auto open = text.lastIndexOf(QLatin1Char('('));
        if (open < 0 || !text.endsWith(QLatin1Char(')')))
            return std::nullopt;
        return text.mid(open + 1, text.size() - open - 2).toStdString();
    }
};

} // namespace zentravolix::testing
