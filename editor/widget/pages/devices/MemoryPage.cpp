// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/MemoryPage.h"

#include "config/DeviceFieldRules.h"
#include "editor/widget/ConfigNames.h"
#include "editor/widget/WidgetHelpers.h"
#include "editor/widget/Dialogs.h"
#include "editor/widget/EditorContext.h"
#include "editor/widget/pages/devices/DevicePageSupport.h"
#include "editor/widget/pages/devices/ResourcesBox.h"
#include "editor/widget/pages/devices/UpDownButtons.h"

#include <tarvonel/tarvonel.h>

#include <QFocusEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace zentravolix::editor {

MemoryPage::MemoryPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks,
                       QWidget* parent)
    : DevicePage(std::move(vm), context, std::move(hooks), parent)
{
    auto* layout = new QVBoxLayout(this);
    m_fraMemory = makeGroup(this, "fraMemory");
    auto* inner = new QVBoxLayout(m_fraMemory);
    m_sldMemSize = new QSlider(Qt::Horizontal, m_fraMemory);
    m_sldMemSize->setObjectName(QStringLiteral("sldMemSize"));
    m_sldMemSize->setSingleStep(kMemoryStepMB);
    m_sldMemSize->setPageStep(64);
    m_sldMemSize->setTickPosition(QSlider::TicksBelow);
    inner->addWidget(m_sldMemSize);

    auto* sizeRow = new QHBoxLayout;
    sizeRow->setSpacing(2);
    m_txtMemSize = makeLineEdit(m_fraMemory, "txtMemSize");
    m_txtMemSize->setMaximumWidth(m_txtMemSize->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 8);
    m_txtMemSize->setAlignment(Qt::AlignRight);
    m_udMemSize = new UpDownButtons(m_fraMemory);
    m_udMemSize->setObjectName(QStringLiteral("udMemSize"));
    m_udMemSize->setSingleStep(kMemoryStepMB);
    m_udMemSize->setFixedHeight(m_txtMemSize->sizeHint().height());
    m_lblMB = makeLabel(m_fraMemory, "lblMB");
    sizeRow->addWidget(m_txtMemSize);
    sizeRow->addWidget(m_udMemSize);
    sizeRow->addSpacing(4);
    sizeRow->addWidget(m_lblMB);
    sizeRow->addStretch(1);
    inner->addLayout(sizeRow);
    m_chkMemHotAdd = makeCheck(m_fraMemory, "chkMemHotAdd", inner);
    layout->addWidget(m_fraMemory);
    m_fraResources = new ResourcesBox(ResourcesBox::Kind::Memory, this);
    layout->addWidget(m_fraResources);
    layout->addStretch(1);

    bindCheck(m_chkMemHotAdd, false, [this](bool checked) { m_vm->Hardware()->Memory()->SetHotAdd(checked); });
    m_fraResources->changed = [this](const tarvonel::ResourceAllocation& allocation) {
        m_vm->Hardware()->Memory()->SetResources(allocation);
        markEdited(false);
    };
    m_fraResources->refused = [this](const QString& message) {
        if (m_context.dialogs)
            m_context.dialogs->message(this, message, text(292), MessageIcon::Warning);
    };

    connect(m_sldMemSize, &QSlider::valueChanged, this, &MemoryPage::takeValue);
    connect(m_udMemSize, &UpDownButtons::valueChanged, this, &MemoryPage::takeValue);
    // The size is checked and stored when the box is left or Enter is pressed. While the user
    // types nothing is checked or stored: 130 passes through 1 and 13, 4000 through 400.
    connect(m_txtMemSize, &QLineEdit::editingFinished, this, &MemoryPage::commitSize);
    connect(m_txtMemSize, &QLineEdit::textEdited, this, [this] { m_typedSinceCheck = true; });
    // The toolkit ends the editing on leaving only when the text changed since it last did, so a
    // refused size left unchanged would let the focus go: the check runs again on leaving.
    m_txtMemSize->installEventFilter(this);

    updateUILabels();
}

void MemoryPage::fill()
{
    const auto memory = findDevice(m_vm->Hardware()->Memory());
    const std::int32_t maximum = std::max(CurrentLimits(m_hooks, *m_vm).MaxMemoryMB, kMemoryStepMB);
    m_sldMemSize->setRange(kMemoryStepMB, maximum);
    m_udMemSize->setRange(kMemoryStepMB, maximum);
    m_sldMemSize->setTickInterval(std::max(kMemoryStepMB, maximum / 16));
    m_txtMemSize->setText(memory ? QString::number(memory->MBs()) : QString());
    showSize(memory ? memory->MBs() : kMemoryStepMB);

    const auto memories = m_vm->Hardware()->Memory();
    const auto hotAdd = memories->HotAdd();
    m_chkMemHotAdd->setVisible(HotAddOffered(*m_vm) || hotAdd.has_value());
    m_chkMemHotAdd->setChecked(hotAdd.value_or(false));
    const auto& resources = memories->Resources();
    m_fraResources->setVisible(CurrentPlatform(*m_vm) == static_cast<std::int16_t>(Platform::ESXi) ||
                               resources != tarvonel::ResourceAllocation{});
    m_fraResources->showAllocation(resources);
}

void MemoryPage::takeValue(int megabytes)
{
    if (m_loading)
        return;
    {
        LoadScope scope(*this);
        m_sldMemSize->setValue(megabytes);
        m_udMemSize->setValue(megabytes);
    }
    m_txtMemSize->setText(QString::number(megabytes));
    commitSize();
}

void MemoryPage::commitSize()
{
    // The message box of a refused size takes the focus, which ends the editing once more.
    if (m_loading || m_checking)
        return;
    auto memory = findDevice(m_vm->Hardware()->Memory());
    const QString typed = m_txtMemSize->text();
    if (!memory || typed.isEmpty())
        return;
    m_checking = true;
    m_typedSinceCheck = false;
    const MemoryDecision decision = CheckMemorySize(typed.toStdString(), CurrentLimits(m_hooks, *m_vm).MaxMemoryMB);
    m_refused = decision.refused();
    if (decision.message)
        showRuleMessage(*decision.message);
    m_checking = false;
    if (decision.refused()) {
        m_txtMemSize->setFocus();
        return;
    }
    if (!decision.stored())
        return;
    // The box shows what is stored (130 becomes 128).
    if (decision.shownText)
        m_txtMemSize->setText(QString::fromStdString(*decision.shownText));
    const bool changed = memory->MBs() != decision.megabytes;
    memory->SetMBs(decision.megabytes);
    showSize(memory->MBs());
    if (changed)
        markEdited(true);
}

bool MemoryPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtMemSize && event->type() == QEvent::FocusOut && m_refused && !m_typedSinceCheck) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // A menu or another window taking the focus is not leaving the box.
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            commitSize();
    }
    return DevicePage::eventFilter(watched, event);
}

void MemoryPage::showSize(std::int32_t megabytes)
{
    LoadScope scope(*this);
    m_sldMemSize->setValue(megabytes);
    m_udMemSize->setValue(megabytes);
}

void MemoryPage::showEvent(QShowEvent* event)
{
    DevicePage::showEvent(event);
    if (!deviceId().empty())
        load(deviceId());
}

void MemoryPage::updateUILabels()
{
    m_fraMemory->setTitle(text(292));
    m_lblMB->setText(text(293));
    m_chkMemHotAdd->setText(text(2912));
    m_fraResources->updateUILabels();
}

} // namespace zentravolix::editor
