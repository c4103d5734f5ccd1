// SPDX-License-Identifier: MIT
#include "editor/dialogs/frmSavePreview.h"

#include "config/SavePreview.h"
#include "editor/widget/UiText.h"
#include "editor/widget/WidgetHelpers.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zentravolix::editor {

namespace {

constexpr int kTitle = 2530;
constexpr int kIntro = 2531;
constexpr int kSettingsGroup = 2532;
constexpr int kLinesGroup = 2533;
constexpr int kChangeColumn = 2534;
constexpr int kKeyColumn = 2504;
constexpr int kBeforeColumn = 2535;
constexpr int kAfterColumn = 2536;
constexpr int kAdded = 2537;
constexpr int kChanged = 2538;
constexpr int kRemoved = 2539;
constexpr int kLayoutOnly = 2540;
constexpr int kSave = 2541;
constexpr int kDoNotShow = 2542;
constexpr int kUnchangedLines = 2543;
constexpr int kNoLineChanges = 2544;
constexpr int kCancel = 51;

/** Unchanged lines shown before and after each change. */
constexpr std::size_t kContext = 3;

const QColor kRemovedBack(0xff, 0xdc, 0xdc);
const QColor kAddedBack(0xd8, 0xf5, 0xd8);
const QColor kRemovedText(0x8b, 0x00, 0x00);
const QColor kAddedText(0x00, 0x5a, 0x00);

} // namespace

frmSavePreview::frmSavePreview(QWidget* parent) : QDialog(parent)
{
    // The captions come first; the lists are filled once a preview is set.
    setObjectName(QStringLiteral("frmSavePreview"));
    auto* layout = new QVBoxLayout(this);
    m_lblPreviewIntro = makeLabel(this, "lblPreviewIntro");
    m_lblPreviewIntro->setWordWrap(true);
    m_lblPreviewIntro->setTextFormat(Qt::PlainText);
    layout->addWidget(m_lblPreviewIntro);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    splitter->setChildrenCollapsible(false);
    m_fraPreviewSettings = makeGroup(splitter, "fraPreviewSettings");
    auto* settings = new QVBoxLayout(m_fraPreviewSettings);
    m_lvwPreviewSettings = makeReportList(m_fraPreviewSettings, "lvwPreviewSettings", 4);
    m_lvwPreviewSettings->header()->setStretchLastSection(true);
    // Sized to their contents and their captions, which are longer in some languages.
    for (int column = 0; column < 3; ++column)
        m_lvwPreviewSettings->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    m_lblPreviewNoSettings = makeLabel(m_fraPreviewSettings, "lblPreviewNoSettings");
    m_lblPreviewNoSettings->setWordWrap(true);
    settings->addWidget(m_lvwPreviewSettings);
    settings->addWidget(m_lblPreviewNoSettings);

    m_fraPreviewLines = makeGroup(splitter, "fraPreviewLines");
    auto* lines = new QVBoxLayout(m_fraPreviewLines);
    m_txtPreviewLines = new QTextEdit(m_fraPreviewLines);
    m_txtPreviewLines->setObjectName(QStringLiteral("txtPreviewLines"));
    m_txtPreviewLines->setReadOnly(true);
    m_txtPreviewLines->setLineWrapMode(QTextEdit::NoWrap);
    m_txtPreviewLines->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    lines->addWidget(m_txtPreviewLines);
    splitter->addWidget(m_fraPreviewSettings);
    splitter->addWidget(m_fraPreviewLines);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 3);
    splitter->setSizes({150, 450});
    layout->addWidget(splitter, 1);

    auto* buttons = new QHBoxLayout;
    m_chkPreviewDoNotShow = makeCheck(this, "chkPreviewDoNotShow");
    m_cmdPreviewSave = makeButton(this, "cmdPreviewSave");
    m_cmdPreviewCancel = makeButton(this, "cmdPreviewCancel");
    m_cmdPreviewSave->setDefault(true);
    buttons->addWidget(m_chkPreviewDoNotShow);
    buttons->addStretch(1);
    buttons->addWidget(m_cmdPreviewSave);
    buttons->addWidget(m_cmdPreviewCancel);
    layout->addLayout(buttons);

    connect(m_cmdPreviewSave, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cmdPreviewCancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(920, 660);
    UpdateUILabels();
}

void frmSavePreview::UpdateUILabels()
{
    setWindowTitle(text(kTitle));
    m_lblPreviewIntro->setText(text(kIntro).arg(m_fileName));
    m_fraPreviewSettings->setTitle(text(kSettingsGroup));
    m_fraPreviewLines->setTitle(text(kLinesGroup));
    m_lvwPreviewSettings->setHeaderLabels({text(kChangeColumn), text(kKeyColumn), text(kBeforeColumn), text(kAfterColumn)});
    m_lblPreviewNoSettings->setText(text(kLayoutOnly));
    m_chkPreviewDoNotShow->setText(text(kDoNotShow));
    m_cmdPreviewSave->setText(text(kSave));
    m_cmdPreviewCancel->setText(text(kCancel));
    // The lists hold texts of the table too.
    fillSettings();
    fillLines();
}

bool frmSavePreview::DoNotShowAgain() const
{
    return m_chkPreviewDoNotShow->isChecked();
}

void frmSavePreview::SetPreview(const QString& fileName, const config::SavePreview& preview)
{
    m_fileName = fileName;
    m_preview = std::make_unique<config::SavePreview>(preview);
    UpdateUILabels();
}

void frmSavePreview::fillSettings()
{
    using Kind = config::SettingChange::Kind;
    m_lvwPreviewSettings->clear();
    if (!m_preview)
        return;
    const config::SavePreview& preview = *m_preview;
    for (const auto& change : preview.changes) {
        const int kindText = change.kind == Kind::Added ? kAdded : change.kind == Kind::Changed ? kChanged : kRemoved;
        auto* row = new QTreeWidgetItem(m_lvwPreviewSettings,
                                        {text(kindText), QString::fromStdString(change.key),
                                         QString::fromStdString(change.before), QString::fromStdString(change.after)});
        const QColor back = change.kind == Kind::Added     ? kAddedBack
                            : change.kind == Kind::Removed ? kRemovedBack
                                                           : QColor(0xff, 0xf3, 0xc8);
        for (int column = 0; column < 4; ++column)
            row->setBackground(column, back);
    }
    m_lvwPreviewSettings->setVisible(!preview.changes.empty());
    m_lblPreviewNoSettings->setVisible(preview.changes.empty());
}

void frmSavePreview::fillLines()
{
    using Kind = config::DiffLine::Kind;
    m_txtPreviewLines->clear();
    if (!m_preview)
        return;
    const config::SavePreview& preview = *m_preview;
    QTextCursor cursor(m_txtPreviewLines->document());
    bool first = true;
    const auto addBlock = [&](const QString& line, const QColor& back, const QColor& fore) {
        QTextBlockFormat block;
        if (back.isValid())
            block.setBackground(back);
        QTextCharFormat chars;
        chars.setForeground(fore.isValid() ? QBrush(fore) : m_txtPreviewLines->palette().text());
        if (first) {
            cursor.setBlockFormat(block);
            cursor.setCharFormat(chars);
            first = false;
        } else {
            cursor.insertBlock(block, chars);
        }
        cursor.insertText(line, chars);
    };

    const auto& lines = preview.lines;
    if (!preview.linesDiffer) {
        addBlock(text(kNoLineChanges), {}, m_txtPreviewLines->palette().color(QPalette::Disabled, QPalette::Text));
        return;
    }
    // Which lines are shown: every change and the unchanged lines near one.
    std::vector<bool> shown(lines.size(), false);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == Kind::Same)
            continue;
        const std::size_t from = i >= kContext ? i - kContext : 0;
        const std::size_t to = std::min(lines.size(), i + kContext + 1);
        for (std::size_t j = from; j < to; ++j)
            shown[j] = true;
    }
    const QColor grey = m_txtPreviewLines->palette().color(QPalette::Disabled, QPalette::Text);
    for (std::size_t i = 0; i < lines.size();) {
        if (!shown[i]) {
            std::size_t skipped = 0;
            while (i < lines.size() && !shown[i]) {
                ++skipped;
                ++i;
            }
            addBlock(text(kUnchangedLines).arg(skipped), {}, grey);
            continue;
        }
        const auto& line = lines[i];
        const QChar mark = line.kind == Kind::Added ? QLatin1Char('+') : line.kind == Kind::Removed ? QLatin1Char('-') : QLatin1Char(' ');
        const QString shownLine = QStringLiteral("%1 %2 ").arg(line.number, 5).arg(mark) + QString::fromStdString(line.text);
        if (line.kind == Kind::Added)
            addBlock(shownLine, kAddedBack, kAddedText);
        else if (line.kind == Kind::Removed)
            addBlock(shownLine, kRemovedBack, kRemovedText);
        else
            addBlock(shownLine, {}, {});
        ++i;
    }
    m_txtPreviewLines->moveCursor(QTextCursor::Start);
}

frmSavePreview::~frmSavePreview() = default;

} // namespace zentravolix::editor
