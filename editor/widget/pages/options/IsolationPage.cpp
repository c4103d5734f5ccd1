// SPDX-License-Identifier: MIT
#include "editor/widget/pages/options/IsolationPage.h"

#include "editor/widget/WidgetHelpers.h"

#include <tarvonel/tarvonel.h>

#include <QGroupBox>
#include <QVBoxLayout>

namespace zentravolix::editor {

IsolationPage::IsolationPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
                             QWidget* parent)
    : OptionPage(std::move(vm), context, parent)
{
    auto* layout = new QVBoxLayout(this);
    m_fraInteraction = makeGroup(this, "fraInteraction");
    auto* boxes = new QVBoxLayout(m_fraInteraction);
    m_chkInteractDND = makeCheck(m_fraInteraction, "chkInteractDND", boxes);
    m_chkInteractPaste = makeCheck(m_fraInteraction, "chkInteractPaste", boxes);
    m_chkInteractCopy = makeCheck(m_fraInteraction, "chkInteractCopy", boxes);
    layout->addWidget(m_fraInteraction);
    layout->addStretch(1);

    auto isolation = [this] { return m_vm->Options()->GuestIsolationOptions(); };
    bindCheck(m_chkInteractDND, Polarity::Inverted, true,
              [isolation](bool v) { isolation()->SetDragAndDropEnabled(v); });
    bindCheck(m_chkInteractPaste, Polarity::Inverted, true,
              [isolation](bool v) { isolation()->SetPasteEnabled(v); });
    bindCheck(m_chkInteractCopy, Polarity::Inverted, true,
              [isolation](bool v) { isolation()->SetCopyEnabled(v); });
}

void IsolationPage::load()
{
    LoadScope scope(*this);
    const auto isolation = m_vm->Options()->GuestIsolationOptions();
    showCheck(m_chkInteractDND, Polarity::Inverted, isolation->DragAndDropEnabled());
    showCheck(m_chkInteractPaste, Polarity::Inverted, isolation->PasteEnabled());
    showCheck(m_chkInteractCopy, Polarity::Inverted, isolation->CopyEnabled());
}

void IsolationPage::updateUILabels()
{
    m_fraInteraction->setTitle(text(258));
    m_chkInteractDND->setText(text(259));
    m_chkInteractPaste->setText(text(260));
    m_chkInteractCopy->setText(text(261));
}

} // namespace zentravolix::editor
