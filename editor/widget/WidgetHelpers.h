// SPDX-License-Identifier: MIT
#pragma once

// Small factories for the editor's controls: each gets its control name as objectName(), so tests
// and the caption code find it by that name.

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QStackedWidget;
class QTreeWidget;
class QWidget;

namespace zentravolix::editor {

QGroupBox* makeGroup(QWidget* parent, const char* name);
/** A check box, appended to layout when one is given. */
QCheckBox* makeCheck(QWidget* parent, const char* name, QBoxLayout* layout = nullptr);
QRadioButton* makeOption(QWidget* parent, const char* name, QBoxLayout* layout = nullptr);
/** A drop-down list the user cannot type into. */
QComboBox* makeCombo(QWidget* parent, const char* name);
QLabel* makeLabel(QWidget* parent, const char* name);
QLineEdit* makeLineEdit(QWidget* parent, const char* name);
QPushButton* makeButton(QWidget* parent, const char* name);
/** A small "..." button that opens a file dialog or folder browser for the field beside it. */
QPushButton* makeBrowseButton(QWidget* parent, const char* name);
/** A report-style list: no tree decoration, whole rows selected, one row at a time. */
QTreeWidget* makeReportList(QWidget* parent, const char* name, int columns);

/**
 * A stack of pages, chosen through a list beside it, whose size hints are those of the page shown
 * rather than of the largest page; it sits in a scroll area (returned, named scrollName), so a
 * page larger than the room it gets scrolls instead of making the window larger. The pages keep
 * their own minimum size: the scroll area never squeezes them.
 */
QStackedWidget* makeScrolledPageStack(QWidget* parent, const char* name, const char* scrollName,
                                      QScrollArea** scrollArea);

} // namespace zentravolix::editor
