// SPDX-License-Identifier: MIT
#include "editor/widget/WidgetHelpers.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTreeWidget>

namespace zentravolix::editor {

namespace {
template <class W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

/** A stack as large as its current page: hidden pages do not widen or lengthen it. */
class CurrentPageStack final : public QStackedWidget {
public:
    explicit CurrentPageStack(QWidget* parent) : QStackedWidget(parent)
    {
        connect(this, &QStackedWidget::currentChanged, this, [this] { updateGeometry(); });
    }

    QSize sizeHint() const override
    {
        const QWidget* page = currentWidget();
        return page ? page->sizeHint().expandedTo(page->minimumSizeHint()) : QSize();
    }

    QSize minimumSizeHint() const override
    {
        const QWidget* page = currentWidget();
        return page ? page->minimumSizeHint().expandedTo(page->minimumSize()) : QSize();
    }
};
} // namespace

QGroupBox* makeGroup(QWidget* parent, const char* name)
{
    return named(new QGroupBox(parent), name);
}

QCheckBox* makeCheck(QWidget* parent, const char* name, QBoxLayout* layout)
{
    auto* box = named(new QCheckBox(parent), name);
    if (layout)
        layout->addWidget(box);
    return box;
}

QRadioButton* makeOption(QWidget* parent, const char* name, QBoxLayout* layout)
{
    auto* button = named(new QRadioButton(parent), name);
    if (layout)
        layout->addWidget(button);
    return button;
}

QComboBox* makeCombo(QWidget* parent, const char* name)
{
    auto* combo = named(new QComboBox(parent), name);
    combo->setEditable(false);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return combo;
}

QLabel* makeLabel(QWidget* parent, const char* name)
{
    return named(new QLabel(parent), name);
}

QLineEdit* makeLineEdit(QWidget* parent, const char* name)
{
    return named(new QLineEdit(parent), name);
}

QPushButton* makeButton(QWidget* parent, const char* name)
{
    auto* button = named(new QPushButton(parent), name);
    button->setAutoDefault(false);
    return button;
}

QPushButton* makeBrowseButton(QWidget* parent, const char* name)
{
    auto* button = makeButton(parent, name);
    button->setText(QStringLiteral("..."));
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(button->text()) + 28);
    return button;
}

QTreeWidget* makeReportList(QWidget* parent, const char* name, int columns)
{
    auto* list = named(new QTreeWidget(parent), name);
    list->setColumnCount(columns);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setAllColumnsShowFocus(true);
    list->header()->setStretchLastSection(true);
    return list;
}

QStackedWidget* makeScrolledPageStack(QWidget* parent, const char* name, const char* scrollName,
                                      QScrollArea** scrollArea)
{
    auto* scroll = named(new QScrollArea(parent), scrollName);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* pages = named(new CurrentPageStack(scroll), name);
    scroll->setWidget(pages);
    if (scrollArea)
        *scrollArea = scroll;
    return pages;
}

} // namespace zentravolix::editor
