// SPDX-License-Identifier: MIT
#include "app/HomeTab.h"

#include "app/AppIcons.h"

#include <QGridLayout>
#include <QToolButton>

namespace zentravolix::app {
namespace {

QToolButton* makeLargeButton(const QString& name, const QIcon& icon, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setIcon(icon);
    button->setIconSize(QSize(64, 64));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(false);
    // Wide enough for the longest caption ("Edit Existing Virtual Machine") on one line.
    button->setMinimumSize(240, 130);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return button;
}

} // namespace

HomeTab::HomeTab(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("tabHome"));
    m_new = makeLargeButton(QStringLiteral("cmdNew"), ToolbarIcon(QStringLiteral("New")), this);
    m_open = makeLargeButton(QStringLiteral("cmdOpen"), ToolbarIcon(QStringLiteral("Open")), this);

    // The buttons sit side by side in the middle of the tab, whatever its size.
    auto* layout = new QGridLayout(this);
    layout->setRowStretch(0, 1);
    layout->setColumnStretch(0, 1);
    layout->addWidget(m_new, 1, 1);
    layout->addWidget(m_open, 1, 2);
    layout->setColumnStretch(3, 1);
    layout->setRowStretch(2, 1);
    layout->setHorizontalSpacing(24);
}

} // namespace zentravolix::app
