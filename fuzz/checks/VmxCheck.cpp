// SPDX-License-Identifier: MIT
#include "fuzz/checks/FuzzChecks.h"

#include "config/ConfigSession.h"
#include "config/DeviceKinds.h"
#include "vmx/ReadProblem.h"
#include "vmx/VmxFileError.h"
#include "vmx/VmxSyntax.h"
#include "vmx/detail/KeyNames.h"
#include "vmx/detail/KeySet.h"

#include <tarvonel/tarvonel.h>

#include <algorithm>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

namespace zentravolix::fuzz {

namespace {

constexpr const char* kFilePath = "/vms/fuzz/fuzz.vmx";

/** Calls visit(line) for the lines of a text as the reader splits them: at LF, one CR before it dropped. */
template <class Visit>
void forEachLine(std::string_view text, Visit visit)
{
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        visit(line);
        start = end + 1;
    }
}

/** The lines of a text as the reader splits them: at LF, one CR before it dropped. */
std::vector<std::string_view> linesOf(std::string_view text)
{
    std::vector<std::string_view> lines;
    lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    forEachLine(text, [&lines](std::string_view line) { lines.push_back(line); });
    return lines;
}

std::string shown(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || c == '"' || c == '\\') {
            static constexpr char kHex[] = "0123456789ABCDEF";
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

/**
 * The most items one line of the text makes the reader create in a collection: an index N (the
 * number that ends the key's first part, "sharedFolder399.present", "scsi3:0.present") makes N + 1,
 * a count (numvcpus, sharedFolder.maxNum) its value. A number the reader refuses as too large
 * makes none, and neither do the other lines. A cheap look at each line, for the fuzz target's pace.
 */
std::int64_t mostItemsOfOneLine(std::string_view text)
{
    std::int64_t most = 0;
    const auto counts = [&most](std::int64_t items) {
        if (items <= vmx::MaxItemsPerCollection && items > most)
            most = items;
    };
    forEachLine(text, [&counts](std::string_view line) {
        const std::string_view key = vmx::RawLineKey(line);
        if (key.empty())
            return;
        if (vmx::EqualsIgnoreCase(key, vmx::detail::key::NumVCpus) ||
            vmx::EqualsIgnoreCase(key, vmx::detail::key::SharedFolderCount)) {
            if (const auto n = vmx::ParseInteger(vmx::LineValue(line), 0, INT64_MAX))
                counts(*n);
            return;
        }
        std::string_view first = key.substr(0, key.find_first_of(".:"));
        std::size_t digits = 0;
        while (digits < first.size() && first[first.size() - 1 - digits] >= '0' &&
               first[first.size() - 1 - digits] <= '9')
            ++digits;
        if (digits == 0)
            return;
        if (const auto n = vmx::ParseInteger(first.substr(first.size() - digits), 0, INT64_MAX - 1))
            counts(*n + 1);
    });
    return most;
}

/** The items of every collection a file can fill: what writing the model costs. */
std::int32_t itemCount(const tarvonel::VirtualMachine& vm)
{
    std::int32_t devices = 0;
    config::ForEachDevice(*vm.Hardware(), [&devices](auto, const auto&) { ++devices; });
    return devices + vm.Options()->SharedFoldersOptions()->Count();
}

/** A count per distinct line (exact text), in one open-addressing table: no node per line. */
class LineCounts {
public:
    explicit LineCounts(std::size_t lines)
    {
        std::size_t size = 16;
        while (size < lines * 2)
            size *= 2;
        m_slots.resize(size);
        m_entries.reserve(lines);
    }

    /** The count of the line, made (0) when the table has no such line. */
    std::size_t& count(std::string_view line)
    {
        const std::size_t hash = std::hash<std::string_view>()(line);
        std::uint32_t& slot = m_slots[place(line, hash)];
        if (slot == 0) {
            m_entries.push_back({line, hash, 0});
            slot = static_cast<std::uint32_t>(m_entries.size());
        }
        return m_entries[slot - 1].count;
    }

    /** The count of the line; nothing when the table has no such line. */
    std::size_t* find(std::string_view line)
    {
        const std::uint32_t slot = m_slots[place(line, std::hash<std::string_view>()(line))];
        return slot == 0 ? nullptr : &m_entries[slot - 1].count;
    }

private:
    struct Entry {
        std::string_view line;
        std::size_t hash;
        std::size_t count;
    };

    std::size_t place(std::string_view line, std::size_t hash) const
    {
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            const std::uint32_t slot = m_slots[i];
            if (slot == 0 || (m_entries[slot - 1].hash == hash && m_entries[slot - 1].line == line))
                return i;
        }
    }

    std::vector<std::uint32_t> m_slots; // 1 + the entry's place; 0 for an empty slot
    std::vector<Entry> m_entries;
};

/** The preserved-lines property on the written file's lines (see CheckPreservedLinesWritten). */
Finding preservedLinesWritten(const std::vector<std::string>& kept, const std::vector<std::string_view>& written)
{
    // A key the file sets twice is written once, as VMware takes it: the later line.
    vmx::detail::KeySet keptKeys(kept.size());
    std::vector<std::size_t> lastWithKey; // by the key's place in keptKeys
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const auto key = vmx::RawLineKey(kept[i]);
        if (key.empty())
            continue;
        if (keptKeys.insert(key))
            lastWithKey.push_back(i);
        else
            lastWithKey[keptKeys.placeOf(key)] = i;
    }
    // Each preserved line takes one written line of the same text. The preserved lines are
    // counted by text in a table of their hashes (comparing whole lines, or a node per line,
    // would be most of the check's own work).
    const auto counts = [&](std::size_t i) {
        const auto key = vmx::RawLineKey(kept[i]);
        return key.empty() || lastWithKey[keptKeys.placeOf(key)] == i;
    };
    LineCounts wanted(kept.size());
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (counts(i))
            ++wanted.count(kept[i]);
    }
    for (const auto line : written) {
        if (std::size_t* left = wanted.find(line); left && *left > 0)
            --*left;
    }
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (counts(i) && wanted.count(kept[i]) > 0)
            return "preserved line not written back verbatim: " + shown(kept[i]);
    }
    return std::nullopt;
}

} // namespace

Finding CheckPreservedLinesWritten(const std::vector<std::string>& kept, std::string_view written)
{
    return preservedLinesWritten(kept, linesOf(written));
}

Finding CheckVmx(std::string_view input)
{
    return CheckVmxWithItemLimit(input, kVmxRoundTripItemLimit);
}

Finding CheckVmxWithItemLimit(std::string_view input, std::int32_t itemLimit, VmxCheckWork* work)
{
    VmxCheckWork unused;
    VmxCheckWork& done = work ? *work : unused;
    done = {};
    // Indexes in the hundreds make as many items: reading them alone costs a hundred times an
    // ordinary file, and the fuzzer would spend its time there. Such files are checked by the
    // hardening tests with no limit.
    if (mostItemsOfOneLine(input) > itemLimit)
        return std::nullopt;
    done.read = true;
    // Opened as the editor and the tool open a file.
    config::ConfigSession session("/tmp/");
    try {
        session.OpenText(input, kFilePath);
    } catch (const vmx::VmxFileError&) {
        return std::nullopt; // the reader's own refusal of a whole file
    } catch (const std::exception& e) {
        return std::string("the reader threw: ") + e.what();
    }
    // Many lines of a few items each add up: the models of more items are only read.
    done.items = itemCount(*session.Machine());
    if (done.items > itemLimit)
        return std::nullopt;

    std::string first;
    try {
        first = session.Text();
        done.bytesWritten = first.size();
    } catch (const std::exception& e) {
        return std::string("what was read cannot be written: ") + e.what();
    }

    // Keys are compared as the reader compares them (letter case ignored), on views of the texts;
    // the sets allocate once per input, not once per line.
    const auto written = linesOf(first);
    vmx::detail::KeySet keys(written.size());
    for (const auto line : written) {
        if (const auto key = vmx::RawLineKey(line); !key.empty() && !keys.insert(key))
            return "key written twice: " + shown(vmx::ToLower(key));
    }
    if (auto missing = preservedLinesWritten(session.OtherParams(), written))
        return missing;

    std::string second;
    try {
        config::ConfigSession again("/tmp/");
        again.OpenText(first, kFilePath);
        second = again.Text();
        done.bytesWritten += second.size();
        done.roundTrip = true;
    } catch (const std::exception& e) {
        return std::string("the written file cannot be read and written again: ") + e.what();
    }
    if (second != first) {
        const auto secondLines = linesOf(second);
        std::size_t i = 0;
        while (i < written.size() && i < secondLines.size() && written[i] == secondLines[i])
            ++i;
        return "write, read, write is not stable; first difference at line " + std::to_string(i + 1) + ": " +
               shown(i < written.size() ? written[i] : "") + " then " +
               shown(i < secondLines.size() ? secondLines[i] : "");
    }
    return std::nullopt;
}

} // namespace zentravolix::fuzz
