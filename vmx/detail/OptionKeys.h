// SPDX-License-Identifier: MIT
#pragma once

#include <span>
#include <string_view>

namespace tarvonel {
class VirtualMachine;
}

/**
 * The option keys of a .vmx file, one entry each: the key as the writer spells it, how the reader
 * takes its line, and how the writer writes it. The writer writes the entries in table order
 * under the "advanced stuff" header; the reader finds an entry by its key, ignoring letter case.
 * Adding an option key means adding its entry here (and its property to the model).
 */
namespace zentravolix::vmx::detail {

class ReaderContext;
struct ParsedLine;
class VmxLines;
enum class Fate;

struct OptionKey {
    /** The key as written. */
    std::string_view name;
    Fate (*read)(ReaderContext& ctx, const ParsedLine& line);
    /** Writes the key's line (or lines); nullptr when another entry writes it or nothing does. */
    void (*write)(const tarvonel::VirtualMachine& vm, VmxLines& out, std::string_view name);
    /** Why the writer never writes a key the reader takes; empty for a key the writer writes. */
    std::string_view notWritten = {};
};

/** Every option key, in the order the writer writes them. */
std::span<const OptionKey> optionKeys();

/** The entry of a lower-case key; nullptr for a key that is no option key. */
const OptionKey* findOptionKey(std::string_view lowerKey);

} // namespace zentravolix::vmx::detail
