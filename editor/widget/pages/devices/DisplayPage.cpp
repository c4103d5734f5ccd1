// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/DisplayPage.h"

#include "config/DeviceFieldRules.h"
#include "editor/widget/ConfigNames.h"
#include "editor/widget/Dialogs.h"
#include "editor/widget/EditorContext.h"
#include "editor/widget/WidgetHelpers.h"
#include "editor/widget/pages/devices/DevicePageSupport.h"

#include <tarvonel/tarvonel.h>

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

namespace zentravolix::editor {

namespace {

constexpr double kBytesPerMegabyte = 1048576.0;

/** Video memory typed in megabytes as bytes; nothing when it does not fit the model's 32 bits. */
std::optional<std::int32_t> videoMemoryBytes(const QString& megabytes)
{
    const auto value = ParseNumber(megabytes);
    if (!value)
        return std::nullopt;
    const double bytes = std::nearbyint(*value * kBytesPerMegabyte);
    if (bytes < 0.0 || bytes > static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<std::int32_t>(bytes);
}

} // namespace

DisplayPage::DisplayPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks,
                         QWidget* parent)
    : DevicePage(std::move(vm), context, std::move(hooks), parent)
{
    auto* layout = new QVBoxLayout(this);
    m_fraDisplay = makeGroup(this, "fraDisplay");
    auto* inner = new QVBoxLayout(m_fraDisplay);
    auto* grid = new QGridLayout;
    m_lblMaxWidth = makeLabel(m_fraDisplay, "lblMaxWidth");
    m_txtMaxWidth = makeLineEdit(m_fraDisplay, "txtMaxWidth");
    m_lblMaxHeight = makeLabel(m_fraDisplay, "lblMaxHeight");
    m_txtMaxHeight = makeLineEdit(m_fraDisplay, "txtMaxHeight");
    m_lblVRamSize = makeLabel(m_fraDisplay, "lblVRamSize");
    m_txtVRamSize = makeLineEdit(m_fraDisplay, "txtVRamSize");
    const int boxWidth = m_txtMaxWidth->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 12;
    int row = 0;
    for (auto [label, box] : {std::pair{m_lblMaxWidth, m_txtMaxWidth}, std::pair{m_lblMaxHeight, m_txtMaxHeight},
                              std::pair{m_lblVRamSize, m_txtVRamSize}}) {
        box->setMaximumWidth(boxWidth);
        label->setBuddy(box);
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
        ++row;
    }
    grid->setColumnStretch(2, 1);
    inner->addLayout(grid);
    m_chkDisplay3D = makeCheck(m_fraDisplay, "chkDisplay3D", inner);
    auto* graphicsRow = new QHBoxLayout;
    m_lblGraphicsMemory = makeLabel(m_fraDisplay, "lblGraphicsMemory");
    m_txtGraphicsMemory = makeLineEdit(m_fraDisplay, "txtGraphicsMemory");
    m_txtGraphicsMemory->setMaximumWidth(boxWidth);
    m_lblGraphicsMemory->setBuddy(m_txtGraphicsMemory);
    graphicsRow->addWidget(m_lblGraphicsMemory);
    graphicsRow->addWidget(m_txtGraphicsMemory);
    graphicsRow->addStretch(1);
    inner->addLayout(graphicsRow);
    layout->addWidget(m_fraDisplay);
    layout->addStretch(1);

    // After every write the boxes show what the model holds (a typed 1024.4 reads back as 1024).
    // A bigger screen can raise the video memory, the row's summary, so every box rewrites the row.
    bindText(m_txtMaxWidth, true, [this](const std::string& value) {
        auto display = findDevice(m_vm->Hardware()->Displays());
        const auto width = ParseLong(QString::fromStdString(value));
        if (!display || !width)
            return false;
        display->SetScreenWidth(*width);
        raiseToFloor(*display);
        showSizes();
        return true;
    });
    bindText(m_txtMaxHeight, true, [this](const std::string& value) {
        auto display = findDevice(m_vm->Hardware()->Displays());
        const auto height = ParseLong(QString::fromStdString(value));
        if (!display || !height)
            return false;
        display->SetScreenHeight(*height);
        raiseToFloor(*display);
        showSizes();
        return true;
    });
    // The summary is the video memory size, so this one rewrites the row.
    bindText(m_txtVRamSize, true, [this](const std::string& value) {
        auto display = findDevice(m_vm->Hardware()->Displays());
        const auto bytes = videoMemoryBytes(QString::fromStdString(value));
        if (!display || !bytes)
            return false;
        display->SetVramSize(*bytes);
        raiseToFloor(*display);
        showSizes();
        return true;
    });
    bindCheck(m_chkDisplay3D, false, [this](bool checked) {
        if (auto display = findDevice(m_vm->Hardware()->Displays()))
            display->SetEnable3D(checked);
    });
    // Typed in MB, kept in the file in KB.
    bindText(m_txtGraphicsMemory, false, [this](const std::string& value) {
        auto display = findDevice(m_vm->Hardware()->Displays());
        const auto mb = ParseLong(QString::fromStdString(value));
        if (!display || !mb || *mb < 1 || *mb > maxGraphicsMemoryMB())
            return false;
        display->SetGraphicsMemoryKB(*mb * 1024);
        return true;
    });

    updateUILabels();
}

std::int32_t DisplayPage::maxGraphicsMemoryMB() const
{
    // A file's own larger value stays acceptable as it is.
    const auto display = findDevice(m_vm->Hardware()->Displays());
    return std::max<std::int32_t>(CurrentLimits(m_hooks, *m_vm).MaxGraphicsMemoryMB,
                                  display ? display->GraphicsMemoryKB() / 1024 : 0);
}

bool DisplayPage::validateField(QLineEdit* box, const QString& value)
{
    const auto display = findDevice(m_vm->Hardware()->Displays());
    if (display && box == m_txtGraphicsMemory) {
        const auto mb = ParseLong(value);
        if (mb && *mb >= 1 && *mb <= maxGraphicsMemoryMB())
            return true;
        if (m_context.dialogs)
            m_context.dialogs->message(this, text(2766).arg(maxGraphicsMemoryMB()), text(353), MessageIcon::Warning);
        return false;
    }
    if (!display || (box != m_txtMaxWidth && box != m_txtMaxHeight && box != m_txtVRamSize))
        return DevicePage::validateField(box, value);
    const DisplayField field = box == m_txtMaxWidth    ? DisplayField::MaxWidth
                               : box == m_txtMaxHeight ? DisplayField::MaxHeight
                                                       : DisplayField::VRamSize;
    // A refused value says why; the box keeps the focus (bindText puts it back).
    const DisplayValues current{display->ScreenWidth(), display->ScreenHeight(), display->VramSize()};
    const DisplayDecision decision = CheckDisplayField(field, value.toStdString(), current);
    if (decision.refused() && decision.message)
        showRuleMessage(*decision.message);
    return !decision.refused();
}

void DisplayPage::raiseToFloor(tarvonel::clsDisplay& display)
{
    // The video memory must hold one screen of 4-byte pixels.
    const auto floor = VramFloor(display.ScreenWidth(), display.ScreenHeight());
    if (floor && display.VramSize() < *floor)
        display.SetVramSize(*floor);
}

void DisplayPage::fill()
{
    const auto display = findDevice(m_vm->Hardware()->Displays());
    showSizes();
    m_chkDisplay3D->setChecked(display && display->Enable3D());
    // The product decides whether 3D is offered; the stored choice is kept either way.
    m_chkDisplay3D->setEnabled(CurrentLimits(m_hooks, *m_vm).Display3DAvailable);
    const std::int32_t kb = display ? display->GraphicsMemoryKB() : 0;
    const bool shown = CurrentLimits(m_hooks, *m_vm).MaxGraphicsMemoryMB > 0 || kb > 0;
    m_lblGraphicsMemory->setVisible(shown);
    m_txtGraphicsMemory->setVisible(shown);
    m_txtGraphicsMemory->setText(kb > 0 ? FormatNumber(kb / 1024.0) : QString());
}

void DisplayPage::showSizes()
{
    const auto display = findDevice(m_vm->Hardware()->Displays());
    if (!display) {
        m_txtMaxWidth->clear();
        m_txtMaxHeight->clear();
        m_txtVRamSize->clear();
        return;
    }
    m_txtMaxWidth->setText(QString::number(display->ScreenWidth()));
    m_txtMaxHeight->setText(QString::number(display->ScreenHeight()));
    m_txtVRamSize->setText(FormatNumber(display->VramSize() / kBytesPerMegabyte));
}

void DisplayPage::showEvent(QShowEvent* event)
{
    DevicePage::showEvent(event);
    if (!deviceId().empty())
        load(deviceId());
}

void DisplayPage::updateUILabels()
{
    m_fraDisplay->setTitle(text(353));
    m_lblMaxWidth->setText(text(354));
    m_lblMaxHeight->setText(text(355));
    m_lblVRamSize->setText(text(356));
    m_chkDisplay3D->setText(text(357));
    m_lblGraphicsMemory->setText(text(2765));
}

} // namespace zentravolix::editor
