// SPDX-License-Identifier: MIT
#include "vmx/VmxWriter.h"

#include "vmx/KnownKeys.h"

#include "vmx/detail/DeviceSlots.h"
#include "vmx/detail/FileComments.h"
#include "vmx/detail/KeySet.h"
#include "vmx/detail/VmxLines.h"

#include <tarvonel/tarvonel.h>

#include <optional>
#include <unordered_set>

namespace zentravolix::vmx {

namespace {

/** The key in lower case, in a buffer the caller reuses (no allocation per line once it is large enough). */
std::string_view lowerInto(std::string& buffer, std::string_view key)
{
    buffer.assign(key);
    for (char& c : buffer) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return buffer;
}

/**
 * The part of a key that names its device slot, in lower case: what comes before the first dot
 * and the dot (slotsOfKey looks no further); the whole key when it has no dot.
 */
std::string_view slotPartInto(std::string& buffer, std::string_view key)
{
    const auto dot = key.find('.');
    return lowerInto(buffer, dot == std::string_view::npos ? key : key.substr(0, dot + 1));
}

/** The writer's own key lines by key (letter case ignored), looked up once per preserved line. */
class OwnKeys {
public:
    explicit OwnKeys(const detail::ModelLines& own) : m_keys(own.size())
    {
        m_lines.reserve(own.size());
        for (std::size_t i = 0; i < own.size(); ++i) {
            if (!own[i].key().empty() && m_keys.insert(own[i].key()))
                m_lines.push_back(i);
        }
    }

    /** The index of the own line of this key; npos when the writer makes none. */
    std::size_t lineOf(std::string_view key) const
    {
        const std::size_t place = key.empty() ? std::string_view::npos : m_keys.placeOf(key);
        return place == std::string_view::npos ? place : m_lines[place];
    }

private:
    detail::KeySet m_keys;
    std::vector<std::size_t> m_lines;
};

} // namespace

namespace detail {

namespace {

ModelLines linesOf(const tarvonel::VirtualMachine& vm, VmxLines& out)
{
    writeGeneralSection(vm, out);
    writeDeviceSections(vm, out);
    writeOptionSections(vm, out);

    // VMware refuses a file that sets a key twice. The clustering block repeats keys of the
    // scsi-disks section, and a second sound, USB, display or mouse item repeats its keys: the
    // later line is the one that counts, so the earlier ones go.
    ModelLines lines = out.take();
    std::vector<bool> keep(lines.size(), true);
    KeySet seen(lines.size()); // views of the lines' keys
    bool twice = false;
    for (std::size_t i = lines.size(); i-- > 0;) {
        if (!lines[i].key().empty() && !seen.insert(lines[i].key())) {
            keep[i] = false;
            twice = true;
        }
    }
    if (twice)
        lines.keepOnly(keep);
    return lines;
}

} // namespace

ModelLines modelLines(const tarvonel::VirtualMachine& vm)
{
    VmxLines out;
    return linesOf(vm, out);
}

ModelLines modelLines(const tarvonel::VirtualMachine& vm, const WantedKeys& only)
{
    VmxLines out(only);
    return linesOf(vm, out);
}

} // namespace detail

namespace {

constexpr std::string_view kLineEnd = "\r\n";

} // namespace

ValuesAfterRead CaptureValuesAfterRead(const tarvonel::VirtualMachine& vm, const std::vector<std::string>& otherParams)
{
    ValuesAfterRead values;
    if (otherParams.empty())
        return values;
    // Only the writer's lines of the preserved keys count. For a few preserved lines only those
    // lines are made: a model of a thousand items writes a quarter of a megabyte, and a file read
    // is checked against a handful of its lines. A file of thousands of preserved lines has more
    // of them than the model has lines: all the model's lines are made once, and each preserved
    // key is looked up among them (a set of the model's few keys, not of the file's many).
    constexpr std::size_t kFewKeys = 256;
    detail::ModelLines own;
    if (otherParams.size() > kFewKeys) {
        try {
            own = detail::modelLines(vm);
        } catch (const tarvonel::Error&) {
            // Some item the preserved lines do not name may be what cannot be written: the lines
            // of the preserved keys alone are made below, as for a short file.
        }
    }
    // One pass over the preserved keys: the slots they belong to (only those matter to the
    // writer) and, with the model's lines made, the lines of their keys.
    std::optional<decltype(detail::deviceSlots(vm))> slots; // made for the first key that has a slot
    std::optional<OwnKeys> ownKeys;
    std::vector<bool> wanted;
    if (!own.empty()) {
        ownKeys.emplace(own);
        wanted.assign(own.size(), false);
    }
    std::string lowered; // one buffer for every key: files of later products have many
    for (const auto& preserved : otherParams) {
        const std::string_view key = RawLineKey(preserved);
        if (key.empty())
            continue;
        for (const auto& slot : detail::slotsOfKey(slotPartInto(lowered, key))) {
            if (!slots)
                slots.emplace(detail::deviceSlots(vm));
            if (slots->count(slot))
                values.recordSlot(slot);
        }
        if (ownKeys) {
            if (const std::size_t i = ownKeys->lineOf(key); i != std::string_view::npos)
                wanted[i] = true;
        }
    }
    if (ownKeys) {
        for (std::size_t i = 0; i < own.size(); ++i) {
            if (wanted[i])
                values.record(own[i].key(), own[i].text);
        }
        return values;
    }
    // The writer writes only keys the reader knows (a test holds it to that): a kept line of any
    // other key has no line of the model to be checked against, and most kept lines are such.
    detail::WantedKeys keys;
    for (const auto& preserved : otherParams) {
        if (const std::string_view key = RawLineKey(preserved); !key.empty() && FindKnownKey(key))
            keys.insert(key);
    }
    if (keys.empty())
        return values;
    try {
        own = detail::modelLines(vm, keys);
    } catch (const tarvonel::Error&) {
        // A model the writer cannot write now fails on save with its own error; until then the
        // model's lines count as changed and win over preserved ones.
        return values;
    }
    for (const auto& line : own)
        values.record(line.key(), line.text);
    return values;
}

std::string WriteVmxText(const tarvonel::VirtualMachine& vm, const std::vector<std::string>& otherParams,
                         const ValuesAfterRead& afterRead)
{
    const detail::ModelLines own = detail::modelLines(vm);
    std::vector<bool> keepOwn(own.size(), true);
    const OwnKeys ownKeys(own);

    // Settle the preserved lines: among themselves the later line wins; against the writer's own
    // line the preserved one stays while the model still writes what it wrote right after reading.
    std::vector<std::string_view> keys(otherParams.size());
    std::vector<bool> keepPreserved(otherParams.size(), true);
    detail::KeySet seen(otherParams.size());
    for (std::size_t i = otherParams.size(); i-- > 0;) {
        keys[i] = RawLineKey(otherParams[i]);
        if (!keys[i].empty() && !seen.insert(keys[i]))
            keepPreserved[i] = false;
    }
    // One pass over the kept lines that remain. The reader makes a numbered device from any line
    // of its slot ("ethernet0.pciSlotNumber"), so the kept lines of a device removed since reading
    // would bring it back: they go with it. A kept line of a key the writer has a line for stays
    // while the model still writes what it wrote right after reading.
    const bool slotsToCheck = afterRead.slotCount() > 0;
    std::optional<detail::SlotSet> slots;
    if (slotsToCheck)
        slots.emplace(detail::deviceSlots(vm));
    std::string lowered;
    std::optional<std::size_t> encodingLine;
    std::size_t size = 0;
    for (std::size_t i = 0; i < otherParams.size(); ++i) {
        if (!keepPreserved[i])
            continue;
        if (keys[i].empty()) {
            size += otherParams[i].size() + 2;
            continue;
        }
        if (slotsToCheck) {
            for (const auto& slot : detail::slotsOfKey(slotPartInto(lowered, keys[i]))) {
                if (afterRead.hadSlot(slot) && !slots->count(slot)) {
                    keepPreserved[i] = false;
                    break;
                }
            }
            if (!keepPreserved[i])
                continue;
        }
        if (const std::size_t o = ownKeys.lineOf(keys[i]); o != std::string_view::npos) {
            const detail::VmxLine& line = own[o];
            if (afterRead.unchanged(line.key(), line.text))
                keepOwn[o] = false;
            else
                keepPreserved[i] = false;
        }
        if (!keepPreserved[i])
            continue;
        size += otherParams[i].size() + 2;
        // VMware takes the character set from this key and reads it only at the top of the file.
        if (!encodingLine && EqualsIgnoreCase(keys[i], ".encoding"))
            encodingLine = i;
    }

    std::string text;
    for (const auto& line : own)
        size += line.text.size() + 2;
    text.reserve(size + 128);
    const auto emit = [&text](std::string_view line) {
        text += line;
        text += kLineEnd;
    };

    if (encodingLine)
        emit(otherParams[*encodingLine]);
    for (std::size_t i = 0; i < own.size(); ++i) {
        if (keepOwn[i])
            emit(own[i].text);
    }
    bool headerWritten = false;
    for (std::size_t i = 0; i < otherParams.size(); ++i) {
        if (!keepPreserved[i] || (encodingLine && i == *encodingLine))
            continue;
        if (!headerWritten) {
            emit("");
            emit(detail::comment::OtherParamsSection);
            headerWritten = true;
        }
        emit(otherParams[i]);
    }
    emit("");
    emit(detail::comment::EndOfFile);
    return text;
}

} // namespace zentravolix::vmx
