// SPDX-License-Identifier: MIT
#include "editor/dialogs/frmAddHardware.h"

#include "config/DeviceKinds.h"
#include "editor/widget/UiText.h"
#include "editor/widget/WidgetHelpers.h"
#include "editor/widget/pages/devices/DeviceIcons.h"
#include "platform/TextTable.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace zentravolix::editor {

namespace {

/** The kind's entry in the list ("CPU", "Hard Disk"); empty for a code that is no kind. */
QString caption(std::int32_t code)
{
    const auto kind = config::FindDeviceKind(static_cast<tarvonel::VirtualHardwareType>(code));
    return kind ? text(kind->entryTextId) : QString();
}

} // namespace

frmAddHardware::frmAddHardware(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAddHardware"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    m_lblDeviceType = makeLabel(this, "lblDeviceType");
    layout->addWidget(m_lblDeviceType);
    m_lvwAvailableHardware = makeReportList(this, "lvwAvailableHardware", 2);
    m_lvwAvailableHardware->setIconSize(QSize(16, 16));
    m_lvwAvailableHardware->viewport()->installEventFilter(this);
    layout->addWidget(m_lvwAvailableHardware, 1);
    m_lblDeviceType->setBuddy(m_lvwAvailableHardware);
    m_lblInfo = makeLabel(this, "lblInfo");
    m_lblInfo->setWordWrap(true);
    m_lblInfo->setVisible(false);
    layout->addWidget(m_lblInfo);
    auto* buttons = new QHBoxLayout;
    m_cmdOK = makeButton(this, "cmdOK");
    m_cmdCancel = makeButton(this, "cmdCancel");
    m_cmdOK->setDefault(true);
    buttons->addStretch(1);
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdCancel);
    layout->addLayout(buttons);

    connect(m_lvwAvailableHardware, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { evaluate(item); });
    // Arrow keys move the selection too; the choice follows what is highlighted.
    connect(m_lvwAvailableHardware, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { evaluate(item); });
    connect(m_cmdOK, &QPushButton::clicked, this, [this] {
        if (!m_cmdOK->isEnabled())
            return;
        Cancelled = false;
        accept();
    });
    connect(m_cmdCancel, &QPushButton::clicked, this, [this] {
        Cancelled = true;
        reject();
    });
    UpdateUILabels();
}

bool frmAddHardware::MayAdd(std::int32_t code) const
{
    const auto type = static_cast<tarvonel::VirtualHardwareType>(code);
    const auto count = Counts.find(type);
    return config::MayAddDevice(type, count == Counts.end() ? 0 : count->second,
                                {lMaxCPUCount, lMaxNICCount, lMaxSCSICount, lMaxSATACount, lMaxNVMeCount, lSCSINodes,
                                 lSATANodes, lNVMeNodes});
}

void frmAddHardware::Load()
{
    Cancelled = true;
    UpdateUILabels();
    m_lvwAvailableHardware->clear();
    for (const auto type : config::DeviceKinds()) {
        const auto code = static_cast<std::int32_t>(type);
        if (!MayAdd(code))
            continue;
        auto* item = new QTreeWidgetItem(m_lvwAvailableHardware);
        item->setText(0, caption(code));
        item->setIcon(0, DeviceIcon(type));
        item->setText(1, QString::number(code));
    }
    // Room for every kind, so the list never needs to scroll and the size stays the same.
    const int kinds = static_cast<int>(config::DeviceKinds().size());
    const int rowHeight = std::max(m_lvwAvailableHardware->sizeHintForRow(0), fontMetrics().height() + 4);
    m_lvwAvailableHardware->setMinimumHeight(rowHeight * kinds + m_lvwAvailableHardware->header()->sizeHint().height() +
                                             2 * m_lvwAvailableHardware->frameWidth() + 4);
    // With every kind at its limit there is nothing to choose: OK stays disabled.
    m_cmdOK->setEnabled(false);
    m_lblInfo->setVisible(false);
    if (auto* first = m_lvwAvailableHardware->topLevelItem(0)) {
        m_lvwAvailableHardware->setCurrentItem(first);
        evaluate(first);
    }
}

void frmAddHardware::evaluate(QTreeWidgetItem* item)
{
    if (!item)
        return;
    DeviceType = item->text(1).toInt();
    const QString name = caption(DeviceType);
    if (MayAdd(DeviceType)) {
        m_cmdOK->setEnabled(true);
        m_lblInfo->setText(text(92) + QLatin1Char(' ') + name + QLatin1Char('.'));
    } else {
        m_cmdOK->setEnabled(false);
        // The English sentence makes the device name plural with an "s"; the translated ones are
        // worded around the bare name ("... of type Hard Disk has ...").
        const bool english = platform::LoadLocalizedText(93).empty() || platform::LanguageOffset() == 0;
        m_lblInfo->setText(text(93) + QLatin1Char(' ') + name + (english ? QStringLiteral("s ") : QStringLiteral(" ")) +
                           text(94));
    }
    m_lblInfo->setVisible(true);
}

bool frmAddHardware::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_lvwAvailableHardware->viewport()) {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove ||
            event->type() == QEvent::MouseButtonRelease) {
            m_lastPointer = static_cast<QMouseEvent*>(event)->position().toPoint();
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            m_lastPointer = static_cast<QMouseEvent*>(event)->position().toPoint();
            // Only a double-click on an entry chooses it; an empty area does nothing.
            if (auto* item = m_lvwAvailableHardware->itemAt(m_lastPointer)) {
                evaluate(item);
                if (m_cmdOK->isEnabled())
                    m_cmdOK->click();
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmAddHardware::UpdateUILabels()
{
    setWindowTitle(text(90));
    m_cmdOK->setText(text(50));
    m_cmdCancel->setText(text(51));
    m_lblDeviceType->setText(text(91));
    m_lvwAvailableHardware->setHeaderLabels({text(204), QString()});
    // The second column only carries the kind's code.
    m_lvwAvailableHardware->setColumnHidden(1, true);
}

int frmAddHardware::exec()
{
    Load();
    return QDialog::exec();
}

} // namespace zentravolix::editor
