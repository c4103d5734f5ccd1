// SPDX-License-Identifier: MIT
#pragma once

#include <tarvonel/ResourceAllocation.h>

#include <QGroupBox>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

namespace zentravolix::editor {

/**
 * The "Resources" group of the processor and memory pages: reservation, limit and shares of an
 * ESXi machine (and the minimum size for memory). An emptied box removes its line; a box that
 * holds no whole number of 0 or more is refused with a message naming the field.
 */
class ResourcesBox final : public QGroupBox {
public:
    enum class Kind { Processor, Memory };

    ResourcesBox(Kind kind, QWidget* parent);

    /** Shows an allocation without reporting anything. */
    void showAllocation(const tarvonel::ResourceAllocation& allocation);
    void updateUILabels();

    /** Runs after every change the user made, with the allocation as the box now shows it. */
    std::function<void(const tarvonel::ResourceAllocation&)> changed;
    /** Tells the user why a field's text was refused. */
    std::function<void(const QString& message)> refused;

private:
    /** A field was left or Enter pressed: stores its number, removes it when empty, or refuses. */
    void commitNumber(QLineEdit* box, QLabel* label, std::optional<std::int64_t> tarvonel::ResourceAllocation::*member);
    void commitShares();
    void report();

    Kind m_kind;
    tarvonel::ResourceAllocation m_shown;
    bool m_loading = false;
    bool m_refusing = false;
    QLabel* m_lblReservation;
    QLineEdit* m_txtReservation;
    QLabel* m_lblMinimumSize = nullptr;
    QLineEdit* m_txtMinimumSize = nullptr;
    QLabel* m_lblLimit;
    QLineEdit* m_txtLimit;
    QCheckBox* m_chkUnlimited;
    QLabel* m_lblShares;
    QComboBox* m_cboShares;
    QLineEdit* m_txtShares;
};

} // namespace zentravolix::editor
