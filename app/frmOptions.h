// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QString>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace zentravolix::editor {
class Dialogs;
}

namespace zentravolix::platform {
struct ProgramSettings;
}

namespace zentravolix::app {

/**
 * The options dialog: INI folder, backups, launch application and image folder on the "General"
 * tab, the interface language on the "Language" tab.
 *
 * It works on copies of the settings; only OK copies them back (and switches the language,
 * re-applying its own captions and emitting languageChanged() so the main window follows at
 * once). Cancel or closing the window changes nothing. Nothing is written to disk here: the
 * settings are saved when the main window closes. The dialogs and settings must outlive it.
 */
class frmOptions : public QDialog {
    Q_OBJECT
public:
    frmOptions(editor::Dialogs& dialogs, platform::ProgramSettings& settings, QWidget* parent = nullptr);

    /** Re-applies every caption from the text table in the current language. */
    void UpdateUILabels();

    // The working copies, as the dialog holds them now.
    QString IniPath() const { return m_iniPath; }
    bool Backups() const { return m_backups; }
    QString Target() const { return m_target; }
    QString ImagePath() const { return m_imagePath; }
    /** 0 English, 1 German, 2 French, 3 Spanish, 4 Italian. */
    int LanguageIndex() const { return m_languageIndex; }

signals:
    /** OK switched the interface language; the dialog's own captions are already re-applied. */
    void languageChanged();

private:
    QWidget* buildGeneralTab();
    QWidget* buildLanguageTab();
    void loadCopies();
    void takeBoxTexts();
    void browseIniPath();
    void browseTarget();
    void browseImagePath();
    void onOk();

    editor::Dialogs& m_dialogs;
    platform::ProgramSettings& m_settings;

    QString m_iniPath;
    bool m_backups = true;
    bool m_savePreview = true;
    QString m_target;
    QString m_imagePath;
    int m_languageIndex = 0;

    QTabWidget* m_sstOptions = nullptr;
    QGroupBox* m_fraIniPath = nullptr;
    QLineEdit* m_txtIniPath = nullptr;
    QPushButton* m_cmdBrowseForIniPath = nullptr;
    QCheckBox* m_chkBackup = nullptr;
    QCheckBox* m_chkSavePreview = nullptr;
    QGroupBox* m_fraTarget = nullptr;
    QLineEdit* m_txtTarget = nullptr;
    QPushButton* m_cmdBrowseForTarget = nullptr;
    QGroupBox* m_fraImagePath = nullptr;
    QLineEdit* m_txtImagePath = nullptr;
    QPushButton* m_cmdBrowseForImagePath = nullptr;
    QGroupBox* m_fraLanguage = nullptr;
    QButtonGroup* m_languages = nullptr;
    QRadioButton* m_optLang[5] = {};
    QPushButton* m_cmdOK = nullptr;
    QPushButton* m_cmdCancel = nullptr;
};

} // namespace zentravolix::app
