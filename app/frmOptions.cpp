// SPDX-License-Identifier: MIT
#include "app/frmOptions.h"

#include "editor/widget/Dialogs.h"
#include "editor/widget/UiText.h"
#include "platform/Paths.h"
#include "platform/Settings.h"
#include "platform/TextTable.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace zentravolix::app {

using editor::text;
namespace {

/** The option that brings back the save preview after its "Do not show again". */
constexpr int kSavePreviewOption = 2545;

constexpr const char* kLanguageOptionNames[platform::kLanguageCount] = {"optLangEn", "optLangDe", "optLangFr",
                                                                        "optLangEs", "optLangIt"};

/** A frame holding one text box and its browse button. */
QGroupBox* pathFrame(QWidget* parent, const char* frameName, const char* boxName, const char* buttonName,
                     QLineEdit** box, QPushButton** button)
{
    auto* frame = new QGroupBox(parent);
    frame->setObjectName(QString::fromLatin1(frameName));
    auto* layout = new QHBoxLayout(frame);
    *box = new QLineEdit(frame);
    (*box)->setObjectName(QString::fromLatin1(boxName));
    *button = new QPushButton(QStringLiteral("..."), frame);
    (*button)->setObjectName(QString::fromLatin1(buttonName));
    (*button)->setAutoDefault(false);
    layout->addWidget(*box, 1);
    layout->addWidget(*button);
    return frame;
}

} // namespace

frmOptions::frmOptions(editor::Dialogs& dialogs, platform::ProgramSettings& settings, QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs), m_settings(settings)
{
    setObjectName(QStringLiteral("frmOptions"));
    setModal(true);

    m_sstOptions = new QTabWidget(this);
    m_sstOptions->setObjectName(QStringLiteral("sstOptions"));
    m_sstOptions->addTab(buildGeneralTab(), QString());
    m_sstOptions->addTab(buildLanguageTab(), QString());

    m_cmdOK = new QPushButton(this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setDefault(true);
    m_cmdCancel = new QPushButton(this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdCancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_sstOptions);
    layout->addLayout(buttons);

    connect(m_cmdOK, &QPushButton::clicked, this, &frmOptions::onOk);
    connect(m_cmdCancel, &QPushButton::clicked, this, &QDialog::reject);

    loadCopies();
    UpdateUILabels();
}

QWidget* frmOptions::buildGeneralTab()
{
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("fraGeneral"));
    auto* layout = new QVBoxLayout(tab);

    m_fraIniPath = pathFrame(tab, "fraIniPath", "txtIniPath", "cmdBrowseForIniPath", &m_txtIniPath,
                             &m_cmdBrowseForIniPath);
    m_chkBackup = new QCheckBox(tab);
    m_chkBackup->setObjectName(QStringLiteral("chkBackup"));
    m_chkSavePreview = new QCheckBox(tab);
    m_chkSavePreview->setObjectName(QStringLiteral("chkSavePreview"));
    m_fraTarget =
        pathFrame(tab, "fraTarget", "txtTarget", "cmdBrowseForTarget", &m_txtTarget, &m_cmdBrowseForTarget);
    m_fraImagePath = pathFrame(tab, "fraImagePath", "txtImagePath", "cmdBrowseForImagePath", &m_txtImagePath,
                               &m_cmdBrowseForImagePath);
    layout->addWidget(m_fraIniPath);
    layout->addWidget(m_chkBackup);
    layout->addWidget(m_chkSavePreview);
    layout->addWidget(m_fraTarget);
    layout->addWidget(m_fraImagePath);
    layout->addStretch(1);

    connect(m_txtIniPath, &QLineEdit::editingFinished, this, [this] { m_iniPath = m_txtIniPath->text(); });
    connect(m_txtTarget, &QLineEdit::editingFinished, this, [this] { m_target = m_txtTarget->text(); });
    connect(m_txtImagePath, &QLineEdit::editingFinished, this,
            [this] { m_imagePath = m_txtImagePath->text(); });
    connect(m_chkBackup, &QCheckBox::toggled, this, [this](bool checked) { m_backups = checked; });
    connect(m_chkSavePreview, &QCheckBox::toggled, this, [this](bool checked) { m_savePreview = checked; });
    connect(m_cmdBrowseForIniPath, &QPushButton::clicked, this, &frmOptions::browseIniPath);
    connect(m_cmdBrowseForTarget, &QPushButton::clicked, this, &frmOptions::browseTarget);
    connect(m_cmdBrowseForImagePath, &QPushButton::clicked, this, &frmOptions::browseImagePath);
    return tab;
}

QWidget* frmOptions::buildLanguageTab()
{
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("fraLanguageTab"));
    auto* layout = new QVBoxLayout(tab);
    m_fraLanguage = new QGroupBox(tab);
    m_fraLanguage->setObjectName(QStringLiteral("fraLanguage"));
    auto* options = new QVBoxLayout(m_fraLanguage);
    m_languages = new QButtonGroup(this);
    for (int index = 0; index < platform::kLanguageCount; ++index) {
        m_optLang[index] = new QRadioButton(m_fraLanguage);
        m_optLang[index]->setObjectName(QString::fromLatin1(kLanguageOptionNames[index]));
        m_languages->addButton(m_optLang[index], index);
        options->addWidget(m_optLang[index]);
    }
    layout->addWidget(m_fraLanguage);
    layout->addStretch(1);
    connect(m_languages, &QButtonGroup::idToggled, this, [this](int index, bool checked) {
        if (checked)
            m_languageIndex = index;
    });
    return tab;
}

void frmOptions::loadCopies()
{
    m_iniPath = QString::fromStdString(m_settings.IniLocation);
    m_backups = m_settings.CreateBackups;
    m_savePreview = m_settings.ShowSavePreview;
    m_target = QString::fromStdString(m_settings.LaunchApplication);
    m_imagePath = QString::fromStdString(m_settings.ImagePath);
    const int index = platform::LanguageIndexFromOffset(platform::LanguageOffset());

    m_txtIniPath->setText(m_iniPath);
    m_chkBackup->setChecked(m_backups);
    m_chkSavePreview->setChecked(m_savePreview);
    m_txtTarget->setText(m_target);
    m_txtImagePath->setText(m_imagePath);
    // An offset outside the five languages (a hand-edited INI file) selects no option; OK then
    // keeps it unless the user picks one.
    if (index >= 0 && index < platform::kLanguageCount)
        m_optLang[index]->setChecked(true);
    m_languageIndex = index;
}

void frmOptions::UpdateUILabels()
{
    setWindowTitle(text(12));
    m_sstOptions->setTabText(0, text(52));
    m_sstOptions->setTabText(1, text(61));
    m_fraIniPath->setTitle(text(53));
    m_cmdBrowseForIniPath->setToolTip(text(54));
    m_chkBackup->setText(text(55));
    m_chkSavePreview->setText(text(kSavePreviewOption));
    m_fraTarget->setTitle(text(56));
    m_txtTarget->setToolTip(text(57));
    m_cmdBrowseForTarget->setToolTip(text(58));
    m_fraImagePath->setTitle(text(59));
    m_cmdBrowseForImagePath->setToolTip(text(60));
    m_fraLanguage->setTitle(text(61));
    for (int index = 0; index < platform::kLanguageCount; ++index)
        m_optLang[index]->setText(QString::fromStdString(platform::LanguageNameInItself(index)));
    m_cmdOK->setText(text(50));
    m_cmdCancel->setText(text(51));
}

void frmOptions::browseIniPath()
{
    const QString folder = m_dialogs.browseFolder(this, text(54), m_iniPath);
    if (folder.isEmpty())
        return;
    m_iniPath = folder;
    m_txtIniPath->setText(folder);
}

void frmOptions::browseTarget()
{
    // Programs here carry no extension, so the dialog offers every file.
    const QString start = QString::fromStdString(platform::FolderOf(m_target.toStdString()));
    const QString file = m_dialogs.openFile(this, text(58), text(302) + QStringLiteral("|*"), start);
    if (file.isEmpty())
        return;
    m_target = file;
    m_txtTarget->setText(file);
}

void frmOptions::browseImagePath()
{
    const QString folder = m_dialogs.browseFolder(this, text(60), m_imagePath);
    if (folder.isEmpty())
        return;
    m_imagePath = folder;
    m_txtImagePath->setText(folder);
}

void frmOptions::takeBoxTexts()
{
    // OK pressed with Enter leaves no text box first; what the boxes show is what is applied.
    m_iniPath = m_txtIniPath->text();
    m_target = m_txtTarget->text();
    m_imagePath = m_txtImagePath->text();
}

void frmOptions::onOk()
{
    takeBoxTexts();
    // An empty INI folder would put the settings file into whatever the current folder is at
    // quit (and store "" as its place, so the next start would not find it): keep the old one.
    if (!m_iniPath.isEmpty())
        m_settings.IniLocation = m_iniPath.toStdString();
    m_settings.CreateBackups = m_backups;
    m_settings.ShowSavePreview = m_savePreview;
    m_settings.LaunchApplication = m_target.toStdString();
    m_settings.ImagePath = m_imagePath.toStdString();

    const std::int32_t offset = platform::LanguageOffsetFromIndex(m_languageIndex);
    m_settings.LanguageOffset = offset;
    if (offset != platform::LanguageOffset()) {
        // Besides start-up, the one place where the program's language changes.
        platform::SetLanguageOffset(offset);
        UpdateUILabels();
        emit languageChanged();
    }
    accept();
}

} // namespace zentravolix::app
