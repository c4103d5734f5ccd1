// SPDX-License-Identifier: MIT
#include "editor/widget/pages/options/ParametersPage.h"

#include "config/ConfigSession.h"
#include "config/DeviceKinds.h"
#include "config/ParameterRules.h"
#include "editor/widget/EditorContext.h"
#include "editor/widget/WidgetHelpers.h"
#include "vmx/VmxSyntax.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace zentravolix::editor {

namespace {

constexpr int kPageCaption = 2501;
constexpr int kNote = 2502;
constexpr int kFilter = 2503;
constexpr int kKeyColumn = 2504;
constexpr int kValueColumn = 2505;
constexpr int kAdd = 2506;
constexpr int kEdit = 2507;
constexpr int kRemove = 2508;
constexpr int kSummary = 2509;
constexpr int kNewKeyPrompt = 2510;
constexpr int kNewValuePrompt = 2511;
constexpr int kAddTitle = 2512;
constexpr int kKeyEmpty = 2513;
constexpr int kKeyLineBreak = 2514;
constexpr int kKeyBlank = 2515;
constexpr int kKeyEquals = 2516;
constexpr int kKeyComment = 2517;
constexpr int kKeyOnPage = 2518;
constexpr int kKeyListed = 2519;
constexpr int kLineKept = 2520;
constexpr int kLineOnPage = 2521;
// Existing captions: the option pages, the notes, the "Options" and "Hardware" tabs.
constexpr int kOptionsTab = 12;
constexpr int kHardwareTab = 203;
constexpr int kNotes = 200;
constexpr int kOptionPageCaptions[] = {52, 228, 245, 249, 257, 262};

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

/** Where a key the editor reads itself is changed: "Options > Advanced", "Hardware > Memory". */
QString homeName(const config::KeyHome& home)
{
    switch (home.place) {
    case config::KeyHome::Place::Options:
        return text(kOptionsTab) + QStringLiteral(" > ") + text(kOptionPageCaptions[home.optionsPage]);
    case config::KeyHome::Place::Hardware: {
        QStringList names;
        for (const auto type : home.devices) {
            if (const auto kind = config::FindDeviceKind(type))
                names << text(kind->entryTextId);
        }
        return text(kHardwareTab) + QStringLiteral(" > ") + names.join(QStringLiteral(" / "));
    }
    case config::KeyHome::Place::Notes:
        return text(kNotes);
    }
    return {};
}

} // namespace

ParametersPage::ParametersPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
                               config::ConfigSession& session, QWidget* parent)
    : OptionPage(std::move(vm), context, parent), m_session(session)
{
    auto* layout = new QVBoxLayout(this);
    m_lblParamsNote = makeLabel(this, "lblParamsNote");
    m_lblParamsNote->setWordWrap(true);
    layout->addWidget(m_lblParamsNote);

    auto* filterRow = new QHBoxLayout;
    m_lblParamFilter = makeLabel(this, "lblParamFilter");
    m_txtParamFilter = makeLineEdit(this, "txtParamFilter");
    m_txtParamFilter->setClearButtonEnabled(true);
    m_lblParamFilter->setBuddy(m_txtParamFilter);
    filterRow->addWidget(m_lblParamFilter);
    filterRow->addWidget(m_txtParamFilter, 1);
    layout->addLayout(filterRow);

    m_tblParams = new QTableWidget(0, 2, this);
    m_tblParams->setObjectName(QStringLiteral("tblParams"));
    m_tblParams->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tblParams->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tblParams->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    m_tblParams->verticalHeader()->hide();
    m_tblParams->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    m_tblParams->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
    m_tblParams->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_tblParams->setColumnWidth(0, 240);
    m_tblParams->setWordWrap(false);
    m_tblParams->setMinimumHeight(220);
    layout->addWidget(m_tblParams, 1);

    auto* buttons = new QHBoxLayout;
    m_cmdParamAdd = makeButton(this, "cmdParamAdd");
    m_cmdParamEdit = makeButton(this, "cmdParamEdit");
    m_cmdParamRemove = makeButton(this, "cmdParamRemove");
    buttons->addWidget(m_cmdParamAdd);
    buttons->addWidget(m_cmdParamEdit);
    buttons->addWidget(m_cmdParamRemove);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    connect(m_cmdParamAdd, &QPushButton::clicked, this, &ParametersPage::askForNewParameter);
    connect(m_cmdParamEdit, &QPushButton::clicked, this, &ParametersPage::editSelected);
    connect(m_cmdParamRemove, &QPushButton::clicked, this, &ParametersPage::removeSelected);
    connect(m_txtParamFilter, &QLineEdit::textChanged, this, &ParametersPage::applyFilter);
    connect(m_tblParams, &QTableWidget::itemChanged, this, &ParametersPage::onItemChanged);
    connect(m_tblParams, &QTableWidget::itemSelectionChanged, this, &ParametersPage::updateButtons);
}

void ParametersPage::load()
{
    LoadScope scope(*this);
    const std::vector<std::string>& lines = m_session.OtherParams();
    m_tblParams->clearSpans();
    m_tblParams->setRowCount(0);
    m_tblParams->setRowCount(static_cast<int>(lines.size()));
    const QBrush keptColour = palette().brush(QPalette::Disabled, QPalette::Text);
    const auto readOnly = [&keptColour](QTableWidgetItem* item) {
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        item->setForeground(keptColour);
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int row = static_cast<int>(i);
        const config::ParameterRow shown = config::DescribeParameterLine(lines[i]);
        if (shown.key.empty()) {
            // Stray text and comments are one piece, shown across both columns.
            auto* line = new QTableWidgetItem(qs(shown.value));
            readOnly(line);
            QFont italic = line->font();
            italic.setItalic(true);
            line->setFont(italic);
            line->setToolTip(text(kLineKept));
            auto* empty = new QTableWidgetItem;
            readOnly(empty);
            m_tblParams->setItem(row, 0, line);
            m_tblParams->setItem(row, 1, empty);
            m_tblParams->setSpan(row, 0, 1, 2);
            continue;
        }
        auto* key = new QTableWidgetItem(qs(shown.key));
        auto* value = new QTableWidgetItem(qs(shown.value));
        if (!shown.editable) {
            readOnly(key);
            readOnly(value);
            if (const auto home = config::KeyHomeOf(shown.key)) {
                const QString tip = text(kLineOnPage).arg(homeName(*home));
                key->setToolTip(tip);
                value->setToolTip(tip);
            }
        }
        m_tblParams->setItem(row, 0, key);
        m_tblParams->setItem(row, 1, value);
    }
    applyFilter();
    updateButtons();
}

void ParametersPage::updateUILabels()
{
    m_lblParamsNote->setText(text(kNote));
    m_lblParamFilter->setText(text(kFilter));
    m_tblParams->setHorizontalHeaderLabels({text(kKeyColumn), text(kValueColumn)});
    m_cmdParamAdd->setText(text(kAdd));
    m_cmdParamEdit->setText(text(kEdit));
    m_cmdParamRemove->setText(text(kRemove));
    load();
}

QString ParametersPage::summary(const std::vector<std::string>& lines)
{
    const auto keyLines = std::count_if(lines.begin(), lines.end(),
                                        [](const std::string& line) { return !vmx::RawLineKey(line).empty(); });
    return text(kSummary).arg(keyLines);
}

bool ParametersPage::acceptKey(const std::string& key, std::optional<std::size_t> except)
{
    const config::ParameterKeyProblem problem = config::CheckParameterKey(key, m_session.OtherParams(), except);
    QString message;
    const QString shownKey = qs(key);
    switch (problem) {
    case config::ParameterKeyProblem::None:
        return true;
    case config::ParameterKeyProblem::Empty:
        message = text(kKeyEmpty);
        break;
    case config::ParameterKeyProblem::LineBreak:
        message = text(kKeyLineBreak);
        break;
    case config::ParameterKeyProblem::Blank:
        message = text(kKeyBlank).arg(shownKey);
        break;
    case config::ParameterKeyProblem::EqualsSign:
        message = text(kKeyEquals).arg(shownKey);
        break;
    case config::ParameterKeyProblem::CommentSign:
        message = text(kKeyComment).arg(shownKey);
        break;
    case config::ParameterKeyProblem::KnownKey:
        message = text(kKeyOnPage).arg(shownKey, homeName(*config::KeyHomeOf(key)));
        break;
    case config::ParameterKeyProblem::AlreadyListed:
        message = text(kKeyListed).arg(shownKey);
        break;
    }
    if (m_context.dialogs)
        m_context.dialogs->message(this, message, text(kPageCaption), MessageIcon::Warning);
    return false;
}

void ParametersPage::storeLines(std::vector<std::string> lines)
{
    m_session.SetOtherParams(std::move(lines));
    markEdited(true);
}

bool ParametersPage::addParameter(const std::string& key, const std::string& value)
{
    if (!acceptKey(key, std::nullopt))
        return false;
    std::vector<std::string> lines = m_session.OtherParams();
    const std::size_t at = config::NewParameterPosition(lines);
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), config::MakeParameterLine(key, value));
    storeLines(std::move(lines));
    load();
    m_tblParams->selectRow(static_cast<int>(at));
    return true;
}

bool ParametersPage::editParameter(std::size_t index, const std::string& key, const std::string& value)
{
    std::vector<std::string> lines = m_session.OtherParams();
    if (index >= lines.size())
        return false;
    if (!acceptKey(key, index))
        return false;
    lines[index] = config::MakeParameterLine(key, value);
    storeLines(std::move(lines));
    return true;
}

void ParametersPage::removeParameter(std::size_t index)
{
    std::vector<std::string> lines = m_session.OtherParams();
    if (index >= lines.size())
        return;
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(index));
    storeLines(std::move(lines));
    load();
}

void ParametersPage::askForNewParameter()
{
    if (!m_context.dialogs)
        return;
    const auto key = m_context.dialogs->input(this, text(kNewKeyPrompt), text(kAddTitle), QString());
    if (!key)
        return;
    // The key is checked before the value is asked for, so a refused key costs no typing.
    if (!acceptKey(key->toStdString(), std::nullopt))
        return;
    const auto value = m_context.dialogs->input(this, text(kNewValuePrompt).arg(*key), text(kAddTitle), QString());
    if (!value)
        return;
    addParameter(key->toStdString(), value->toStdString());
}

std::optional<std::size_t> ParametersPage::lineOfRow(int row) const
{
    if (row < 0 || row >= m_tblParams->rowCount() || static_cast<std::size_t>(row) >= m_session.OtherParams().size())
        return std::nullopt;
    return static_cast<std::size_t>(row);
}

void ParametersPage::editSelected()
{
    const int row = m_tblParams->currentRow();
    QTableWidgetItem* value = m_tblParams->item(row, 1);
    if (value && (value->flags() & Qt::ItemIsEditable))
        m_tblParams->editItem(value);
}

void ParametersPage::removeSelected()
{
    if (const auto line = lineOfRow(m_tblParams->currentRow()))
        removeParameter(*line);
}

void ParametersPage::onItemChanged(QTableWidgetItem* item)
{
    if (m_loading || !item)
        return;
    const int row = item->row();
    const auto line = lineOfRow(row);
    if (!line)
        return;
    QTableWidgetItem* key = m_tblParams->item(row, 0);
    QTableWidgetItem* value = m_tblParams->item(row, 1);
    if (!key || !value)
        return;
    const bool stored = editParameter(*line, key->text().toStdString(), value->text().toStdString());
    // The row shows the line as kept: the typed text, or the line as it was when it was refused.
    const config::ParameterRow shown = config::DescribeParameterLine(m_session.OtherParams()[*line]);
    LoadScope scope(*this);
    key->setText(qs(shown.key));
    value->setText(qs(shown.value));
    Q_UNUSED(stored);
}

void ParametersPage::applyFilter()
{
    const QString filter = m_txtParamFilter->text().trimmed();
    for (int row = 0; row < m_tblParams->rowCount(); ++row) {
        bool shown = filter.isEmpty();
        for (int column = 0; column < 2 && !shown; ++column) {
            const QTableWidgetItem* item = m_tblParams->item(row, column);
            shown = item && item->text().contains(filter, Qt::CaseInsensitive);
        }
        m_tblParams->setRowHidden(row, !shown);
    }
}

void ParametersPage::updateButtons()
{
    const int row = m_tblParams->currentRow();
    const bool selected = lineOfRow(row).has_value() && !m_tblParams->selectedItems().isEmpty();
    const QTableWidgetItem* value = selected ? m_tblParams->item(row, 1) : nullptr;
    m_cmdParamEdit->setEnabled(value && (value->flags() & Qt::ItemIsEditable));
    // A line of another page's key may go (the page's own value is then written); stray text stays.
    const QTableWidgetItem* key = selected ? m_tblParams->item(row, 0) : nullptr;
    m_cmdParamRemove->setEnabled(key && !m_tblParams->item(row, 0)->text().isEmpty() &&
                                 m_tblParams->columnSpan(row, 0) == 1);
}

} // namespace zentravolix::editor
