// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/**
 * The properties the fuzz targets check, one function per reader. Each takes one input and
 * returns a description of the first property it violates, or nothing. The fuzz targets abort on
 * a violation; hardening_tests runs the same functions over the seeds and every input a fuzz run
 * once found (fuzz/regressions/<target>/), so a fixed finding stays fixed.
 */
namespace zentravolix::fuzz {

/** One violated property: what it is, with enough context to see why. */
using Finding = std::optional<std::string>;

/**
 * The .vmx reader followed by the writer, on a model holding the new-machine defaults: nothing
 * but VmxFileError leaves the reader; what was read can be written; no key is written twice
 * (letter case ignored); every preserved line appears verbatim in the output; reading the output
 * and writing again gives the same bytes. For the fuzz target's pace, a file with a line that
 * makes more than kVmxRoundTripItemLimit items in one collection (an index or a count of a few
 * dozen or more) is not read, and a model of more items than that in all is only read; the hardening
 * tests check such files whole.
 */
Finding CheckVmx(std::string_view input);

/**
 * The number of items (devices and shared folders) above which CheckVmx reads no file and writes
 * no model: the read, and the write, read and write, of a model with hundreds of items cost a
 * hundred times those of a real file. A real machine has a dozen or two (the new-machine
 * defaults are eight); the models of 33 to 64 items took a quarter of the fuzz target's time
 * for a tenth of its inputs, and what they write is what models of fewer items write, more often.
 */
inline constexpr std::int32_t kVmxRoundTripItemLimit = 32;

/** What one VMX check did: the fuzz target's cost per input follows from it. */
struct VmxCheckWork {
    /** The input was read (no line of it makes more items than the limit). */
    bool read = false;
    /** Devices and shared folders of the model read from the input (0 when the read refused it). */
    std::int32_t items = 0;
    /** The model was written, read again and written again. */
    bool roundTrip = false;
    /** Bytes of .vmx text both writes made together. */
    std::size_t bytesWritten = 0;
};

/**
 * CheckVmx, reading only files none of whose lines makes more than itemLimit items in a
 * collection, and writing and reading again only models of at most itemLimit items; work, when
 * given, receives what the check did.
 */
Finding CheckVmxWithItemLimit(std::string_view input, std::int32_t itemLimit, VmxCheckWork* work = nullptr);

/**
 * Of CheckVmx: every line the reader preserved (kept) is a line of the written text, as often as
 * it was kept; of lines setting the same key (letter case ignored) only the last counts.
 */
Finding CheckPreservedLinesWritten(const std::vector<std::string>& kept, std::string_view written);

/**
 * The disk descriptor reader on the input as text and as a disk file (embedded descriptor), and
 * a descriptor made from fields derived from the input, which must read back as written.
 */
Finding CheckDescriptor(std::string_view input);

/**
 * The INI reader: a document keeps the input byte for byte; a value set (section, key and value
 * taken from the input's NUL-separated tail) reads back as set, also after a new parse, and the
 * other keys of that section keep their values.
 */
Finding CheckIni(std::string_view input);

/**
 * The settings store reader: its text parses to the same text again; a value set (key, name,
 * type and bytes from the input's NUL-separated tail) reads back equal, also after a new parse.
 */
Finding CheckRegistryStore(std::string_view input);

} // namespace zentravolix::fuzz
