// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/pages/devices/DevicePage.h"

class QGroupBox;
class QLabel;
class QSlider;

namespace zentravolix::editor {

class ResourcesBox;
class UpDownButtons;

/**
 * Device page 1: the memory size, as a slider, a box in megabytes and up-down buttons. The
 * slider and the buttons put their value into the box; the box's text is what gets stored.
 */
class MemoryPage final : public DevicePage {
    Q_OBJECT
public:
    MemoryPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks = {},
               QWidget* parent = nullptr);

    tarvonel::VirtualHardwareType deviceType() const override { return tarvonel::VirtualHardwareType::RAM; }
    void updateUILabels() override;

    /** The smallest size the slider and the buttons offer, and the step between their sizes. */
    static constexpr int kMemoryStepMB = 4;

protected:
    void fill() override;
    /** The largest size follows the product version, which may have changed while hidden. */
    void showEvent(QShowEvent* event) override;
    /** Leaving the box after a refused size checks it again (the focus rule holds). */
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /**
     * Checks the box's size and writes it into the memory item (on leaving the box, Enter, or a
     * move of the slider or the buttons); a refused size keeps the focus and stores nothing.
     */
    void commitSize();
    /** The slider or the buttons moved: the box shows the value, which is then committed. */
    void takeValue(int megabytes);
    /** Moves slider and buttons to the stored size within the product's range. */
    void showSize(std::int32_t megabytes);

    QGroupBox* m_fraMemory;
    QSlider* m_sldMemSize;
    QLineEdit* m_txtMemSize;
    UpDownButtons* m_udMemSize;
    QLabel* m_lblMB;
    /** Adding memory while running; offered as for processors, or when the file names it. */
    QCheckBox* m_chkMemHotAdd;
    /** Reservation, minimum size, limit and shares; shown for ESXi machines or a file that has them. */
    ResourcesBox* m_fraResources;
    /** Set while the size check shows its message. */
    bool m_checking = false;
    /** The last check refused the box's size (the focus was kept in the box). */
    bool m_refused = false;
    /** The user typed in the box since its size was last checked. */
    bool m_typedSinceCheck = false;
};

} // namespace zentravolix::editor
