// SPDX-License-Identifier: MIT
#pragma once

// Small helpers shared by the device pages: reading numbers typed into boxes and the product
// version a page works with.

#include "config/ChoiceLists.h"
#include "config/ProductTables.h"
#include "editor/widget/ConfigNames.h"
#include "editor/widget/pages/devices/DevicePage.h"

#include <QString>

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

class QBoxLayout;
class QComboBox;
class QRadioButton;

namespace tarvonel {
class VirtualMachine;
}

namespace zentravolix::editor {

/**
 * The number a box holds, read the way the configuration files write numbers ("." as the decimal
 * point, blanks around it ignored); nothing when the text is not a finite number.
 */
std::optional<double> ParseNumber(const QString& text);

/**
 * The number rounded to a 32-bit integer (halves to even, as the old product's conversion did);
 * nothing when it is not a number or does not fit.
 */
std::optional<std::int32_t> ParseLong(const QString& text);

/** value written as a short decimal number: 16, 1.5, 3.515625. */
QString FormatNumber(double value);

/**
 * The limits of the machine's product version: the editor's (through the hooks) when it gives
 * them, else the version table's row for the general options' platform and version.
 */
EditorLimits CurrentLimits(const DevicePageHooks& hooks, const tarvonel::VirtualMachine& vm);

/** The machine's target platform and version, as the choice lists take them. */
std::int16_t CurrentPlatform(const tarvonel::VirtualMachine& vm);
std::int16_t CurrentPlatformVersion(const tarvonel::VirtualMachine& vm);
/** Whether the machine is made for ESXi, where a remote console may lend the drives of its own machine. */
bool IsEsxiMachine(const tarvonel::VirtualMachine& vm);
/**
 * Whether the processor and memory pages offer hot add: ESXi machines of hardware version 11 or
 * later. Processor hot add is documented from that version on; for memory no first version is
 * known to us, so it follows the same rule rather than offering it where it may not exist.
 */
bool HotAddOffered(const tarvonel::VirtualMachine& vm);

/**
 * The port name the file carries for "let the host pick": written exactly so (the VMX writer adds
 * the ".autodetect" line only for it), whatever the list's caption for it is in the current language.
 */
inline constexpr const char* kAutoDetectName = "auto detect";

/**
 * The name stored for entry `index` of a port list; the first entry stands for kAutoDetectName
 * when the list offers auto-detection (its caption is translated, the stored name is not).
 */
std::string PortNameOfEntry(const QComboBox& list, int index, bool offersAutoDetect);

/**
 * Positions a port list on a stored name: the auto-detect entry for kAutoDetectName, else the
 * first entry equal to the name ignoring case; no selection when nothing matches.
 */
void ShowPortName(QComboBox& list, const std::string& name, bool offersAutoDetect);

/** Fills a list of adapter types; each entry carries the model's code of its type. */
void FillTypeCombo(QComboBox& combo, const std::vector<TypeChoice>& choices);

/** The position of a type code in a list filled by FillTypeCombo; -1 when it is not there. */
int PositionOfCode(const QComboBox& combo, int code);

/** The type code at a position of such a list; nothing for a position without one. */
std::optional<std::int16_t> CodeAt(const QComboBox& combo, int position);

/** Turns on the option button `on` of a group, or none of them when `on` is null. */
void ShowOption(std::initializer_list<QRadioButton*> group, QRadioButton* on);

/** Lays out the controls that belong to an option button, indented below it. */
QBoxLayout* AddIndentedRow(QBoxLayout* parent);

} // namespace zentravolix::editor
