// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/pages/devices/DevicePage.h"

class QGroupBox;
class QLabel;

namespace tarvonel {
class clsDisplay;
}

namespace zentravolix::editor {

/** Device page 13: the display adapter (largest screen, video memory, 3D). */
class DisplayPage final : public DevicePage {
    Q_OBJECT
public:
    DisplayPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks = {},
                QWidget* parent = nullptr);

    tarvonel::VirtualHardwareType deviceType() const override { return tarvonel::VirtualHardwareType::Display; }
    void updateUILabels() override;

protected:
    void fill() override;
    /** Whether the product offers 3D may have changed with the version while the page was hidden. */
    void showEvent(QShowEvent* event) override;
    /** The three size boxes take numbers only; anything else keeps the focus and writes nothing. */
    bool validateField(QLineEdit* box, const QString& value) override;

private:
    /** Shows the display's sizes in the three boxes (video memory in megabytes). */
    void showSizes();
    /** Raises the video memory to width x height x 4 bytes when it is below that. */
    static void raiseToFloor(tarvonel::clsDisplay& display);

    QGroupBox* m_fraDisplay;
    QLabel* m_lblMaxWidth;
    QLineEdit* m_txtMaxWidth;
    QLabel* m_lblMaxHeight;
    QLineEdit* m_txtMaxHeight;
    QLabel* m_lblVRamSize;
    QLineEdit* m_txtVRamSize;
    QCheckBox* m_chkDisplay3D;
    QLabel* m_lblGraphicsMemory;
    QLineEdit* m_txtGraphicsMemory;
    /** The largest 3D graphics memory the box takes, in MB. */
    std::int32_t maxGraphicsMemoryMB() const;
};

} // namespace zentravolix::editor
