// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace zentravolix::app {

/** The About box: program name, version of this build and a line of credits. */
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    /** Re-applies the captions in the current language. */
    void UpdateUILabels();

private:
    QLabel* m_name = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace zentravolix::app
