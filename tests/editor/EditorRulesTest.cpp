// SPDX-License-Identifier: MIT
// The editor's Qt-free rules: machine state, hardware row keys.
#include "EditorFixture.h"

#include "config/NewMachineDefaults.h"
#include "editor/widget/ConfigNames.h"
#include "editor/widget/HardwareRows.h"
#include "editor/widget/MachineState.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace zentravolix::testing {
namespace {

using namespace zentravolix::editor;

TEST(MachineState, LockFolderBesideTheFileMeansRunning)
{
    TempFolder temp;
    const auto vmx = temp.path() / "a.vmx";
    EXPECT_FALSE(DetectMachineState(vmx, {}).running);
    std::filesystem::create_directory(temp.path() / "a.vmx.lck");
    const auto state = DetectMachineState(vmx, {});
    EXPECT_TRUE(state.running);
    EXPECT_EQ(state.lockPath, temp.path() / "a.vmx.lck");
}

TEST(MachineState, SuspendedOnlyWhileCheckpointNamesAStateFile)
{
    EXPECT_TRUE(DetectMachineState({}, {"checkpoint.vmState = \"a.vmss\""}).suspended);
    EXPECT_EQ(DetectMachineState({}, {"  CHECKPOINT.VMSTATE=\"a.vmss\""}).stateFile, "a.vmss");
    // VMware empties the key after a resume.
    EXPECT_FALSE(DetectMachineState({}, {"checkpoint.vmState = \"\""}).suspended);
    EXPECT_FALSE(DetectMachineState({}, {"checkpoint.vmStateX = \"a\"", "# checkpoint"}).suspended);
}

TEST(HardwareRows, KeysRoundTripAndOnlyWellFormedKeysParse)
{
    const auto parsed = ParseHardwareRowKey("H10|ABC");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->first, tarvonel::VirtualHardwareType::HardDrive);
    EXPECT_EQ(parsed->second, "ABC");
    EXPECT_FALSE(ParseHardwareRowKey("H15|ABC")); // Device is no list type
    EXPECT_FALSE(ParseHardwareRowKey("X1|ABC"));
    EXPECT_FALSE(ParseHardwareRowKey("H|ABC"));
    EXPECT_FALSE(ParseHardwareRowKey("H1x|ABC"));
    EXPECT_FALSE(ParseHardwareRowKey("H1"));
}

TEST(HardwareRows, NewMachineRowsComeInTypeOrder)
{
    tarvonel::VirtualMachine vm;
    ApplyNewMachineDefaults(vm, {}, {}, "/tmp/");
    const auto rows = CollectHardwareRows(*vm.Hardware());
    std::vector<int> types;
    for (const auto& row : rows)
        types.push_back(static_cast<int>(row.type));
    EXPECT_EQ(types, (std::vector<int>{0, 1, 2, 8, 8, 9, 13, 14}));
    EXPECT_EQ(rows[0].key(), "H0|" + vm.Hardware()->CPUs()->Item(1)->ID());
    // A lookup consults only the collection of the given type.
    EXPECT_TRUE(FindHardwareRow(*vm.Hardware(), tarvonel::VirtualHardwareType::CPU, rows[0].id));
    EXPECT_FALSE(FindHardwareRow(*vm.Hardware(), tarvonel::VirtualHardwareType::RAM, rows[0].id));
}

TEST(QtDialogsFilter, PipeFiltersBecomeQtFilters)
{
    EXPECT_EQ(QtDialogs::toQtFilter(QStringLiteral("VMware Configuration File(*.vmx)|*.vmx")),
              QStringLiteral("VMware Configuration File(*.vmx)"));
    EXPECT_EQ(QtDialogs::toQtFilter(QStringLiteral("Disks|*.vmdk;*.dsk|All|*")),
              QStringLiteral("Disks (*.vmdk *.dsk);;All (*)"));
}

TEST(QtDialogsBox, TheChosenDefaultButtonAnswersEnter)
{
    const auto keep = QtDialogs::makeMessageBox(nullptr, QStringLiteral("Discard?"), QStringLiteral("Unsaved"),
                                                MessageIcon::Question, Buttons::YesNo, Answer::No);
    ASSERT_NE(keep->button(QMessageBox::No), nullptr);
    EXPECT_EQ(keep->defaultButton(), keep->button(QMessageBox::No));
    const auto plain = QtDialogs::makeMessageBox(nullptr, QStringLiteral("Done"), QStringLiteral("Info"),
                                                 MessageIcon::Information, Buttons::Ok, std::nullopt);
    EXPECT_EQ(plain->defaultButton(), nullptr) << "left to the toolkit";
}

TEST(QtDialogsButtons, QuestionButtonsSpeakTheProgramsLanguage)
{
    // The unsaved-changes question tells the user to click "Ja" or "Nein": the buttons say so.
    platform::SetLanguageOffset(500);
    QStringList shown;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (auto which : {QMessageBox::Yes, QMessageBox::No})
            shown << box->button(which)->text();
        box->button(QMessageBox::No)->click();
    });
    QtDialogs dialogs;
    const Answer answer = dialogs.message(nullptr, QStringLiteral("?"), QStringLiteral("t"), MessageIcon::Question,
                                          Buttons::YesNo);
    platform::SetLanguageOffset(0);
    EXPECT_EQ(answer, Answer::No);
    EXPECT_EQ(shown, (QStringList{QStringLiteral("Ja"), QStringLiteral("Nein")}));
}

} // namespace
} // namespace zentravolix::testing
