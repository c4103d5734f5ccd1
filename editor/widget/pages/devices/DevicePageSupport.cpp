// SPDX-License-Identifier: MIT
#include "editor/widget/pages/devices/DevicePageSupport.h"

#include "config/ProductTables.h"

#include <tarvonel/tarvonel.h>

#include <QComboBox>
#include <QHBoxLayout>
#include <QLocale>
#include <QRadioButton>
#include <QStyle>

#include <cmath>
#include <limits>

namespace zentravolix::editor {

std::optional<double> ParseNumber(const QString& text)
{
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::int32_t> ParseLong(const QString& text)
{
    const auto value = ParseNumber(text);
    if (!value)
        return std::nullopt;
    const double rounded = std::nearbyint(*value);
    if (rounded < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

QString FormatNumber(double value)
{
    return QString::number(value, 'g', 15);
}

std::int16_t CurrentPlatform(const tarvonel::VirtualMachine& vm)
{
    return vm.Options()->GeneralOptions()->TargetPlatform();
}

bool IsEsxiMachine(const tarvonel::VirtualMachine& vm)
{
    return CurrentPlatform(vm) == static_cast<std::int16_t>(config::Platform::ESXi);
}

std::int16_t CurrentPlatformVersion(const tarvonel::VirtualMachine& vm)
{
    return vm.Options()->GeneralOptions()->PlatformVersion();
}

bool HotAddOffered(const tarvonel::VirtualMachine& vm)
{
    constexpr std::int16_t kFirstHotAddHardware = 11;
    return IsEsxiMachine(vm) &&
           vm.Options()->GeneralOptions()->HardwareVersion() >= kFirstHotAddHardware;
}

EditorLimits CurrentLimits(const DevicePageHooks& hooks, const tarvonel::VirtualMachine& vm)
{
    if (hooks.limits)
        return hooks.limits();
    const auto settings = FindVersionSettings(CurrentPlatform(vm), CurrentPlatformVersion(vm));
    return settings ? settings->Limits : EditorLimits{};
}

namespace {
/** The model's code of a type list's entry. */
constexpr int kTypeCodeRole = Qt::UserRole + 42;
} // namespace

void FillTypeCombo(QComboBox& combo, const std::vector<TypeChoice>& choices)
{
    combo.clear();
    for (const auto& choice : choices)
        combo.addItem(QString::fromStdString(choice.caption), QVariant());
    for (int i = 0; i < static_cast<int>(choices.size()); ++i)
        combo.setItemData(i, choices[static_cast<std::size_t>(i)].code, kTypeCodeRole);
}

int PositionOfCode(const QComboBox& combo, int code)
{
    for (int i = 0; i < combo.count(); ++i) {
        const QVariant data = combo.itemData(i, kTypeCodeRole);
        if (data.isValid() && data.toInt() == code)
            return i;
    }
    return -1;
}

std::optional<std::int16_t> CodeAt(const QComboBox& combo, int position)
{
    if (position < 0 || position >= combo.count())
        return std::nullopt;
    const QVariant data = combo.itemData(position, kTypeCodeRole);
    if (!data.isValid())
        return std::nullopt;
    return static_cast<std::int16_t>(data.toInt());
}

std::string PortNameOfEntry(const QComboBox& list, int index, bool offersAutoDetect)
{
    if (offersAutoDetect && index == 0)
        return kAutoDetectName;
    return list.itemText(index).toStdString();
}

void ShowPortName(QComboBox& list, const std::string& name, bool offersAutoDetect)
{
    const QString wanted = QString::fromStdString(name);
    if (offersAutoDetect && list.count() > 0 &&
        wanted.compare(QLatin1String(kAutoDetectName), Qt::CaseInsensitive) == 0) {
        list.setCurrentIndex(0);
        return;
    }
    // Host entries are matched from the second one on where the first is auto-detection, so a
    // blank caption of a missing translation never matches a name.
    for (int i = offersAutoDetect ? 1 : 0; i < list.count(); ++i) {
        if (list.itemText(i).compare(wanted, Qt::CaseInsensitive) == 0) {
            list.setCurrentIndex(i);
            return;
        }
    }
    list.setCurrentIndex(-1);
}

void ShowOption(std::initializer_list<QRadioButton*> group, QRadioButton* on)
{
    for (auto* option : group) {
        // An exclusive button cannot be turned off on its own, which "none of them" needs.
        option->setAutoExclusive(false);
        option->setChecked(option == on);
        option->setAutoExclusive(true);
    }
}

QBoxLayout* AddIndentedRow(QBoxLayout* parent)
{
    auto* row = new QHBoxLayout;
    // As far in as the text of an option button, so the row reads as belonging to it.
    row->setContentsMargins(22, 0, 0, 0);
    parent->addLayout(row);
    return row;
}

} // namespace zentravolix::editor
