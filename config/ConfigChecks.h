// SPDX-License-Identifier: MIT
#pragma once

// Every rule the editor applies to a configuration, run without writing anything: the save
// pre-checks, the limits of the file's product and version, the nodes of the controllers, the MAC
// addresses and the disks the file names. The command-line tool's `check` and `set` report what
// these find; each finding says where in the file it is, how bad it is and what it is, by a text
// id the caller puts into words.

#include "config/ConfigSession.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zentravolix::config {

enum class Severity {
    Error,
    Warning,
    Note,
};

/** "error", "warning", "note". */
const char* SeverityName(Severity severity);

/** One thing a check found. */
struct CheckFinding {
    /** 1-based line of the file it concerns; 0 for the file as a whole. */
    std::int32_t line = 0;
    Severity severity = Severity::Error;
    /** A stable name for scripts ("memory-limit", "node-conflict", "extent-missing", ...). */
    std::string code;
    /** The sentence: text id with its %1, %2, ...; without a text id the arguments joined by ": ". */
    int textId = 0;
    std::vector<std::string> args;
    /** Written after the sentence as it is (the MAC address ranges of the editor's messages). */
    std::string suffix;
    /**
     * Said after the sentence, following ": ": a text id with its arguments, or without a text id
     * the arguments joined by ": " (the disk library's reason, the numbers of a limit).
     */
    int detailId = 0;
    std::vector<std::string> detailArgs;
    /** A save pre-check's refusal, worded as the editor words it (textId is then unused). */
    std::optional<vmx::SaveRefusal> refusal;
};

/** The text id of why the reader kept a line ("the value is not a number"). */
int ProblemTextId(vmx::ProblemCode code);


/** Where the keys of a file are: the first line of each key and of each device slot. */
class KeyLineIndex {
public:
    /** Indexes .vmx text (LF, CR LF and lone CR line ends alike). */
    explicit KeyLineIndex(std::string_view text);
    KeyLineIndex() = default;

    /** The first line of a key (any letter case); 0 when the file does not have it. */
    std::int32_t lineOf(std::string_view key) const;
    /** The first line of a slot's keys ("ethernet0", "scsi0:1"); 0 when none. */
    std::int32_t lineOfSlot(std::string_view slot) const;
    /** How many key lines the file has (comments and blank lines not counted). */
    std::int32_t keyLines() const { return m_keyLines; }

private:
    std::unordered_map<std::string, std::int32_t> m_keys;
    std::unordered_map<std::string, std::int32_t> m_slots;
    std::int32_t m_keyLines = 0;
};

/** The MAC address of a network adapter, for the duplicate check over many files. */
struct MacUse {
    /** The address in upper case ("00:50:56:01:02:03"). */
    std::string address;
    bool isStatic = false;
    std::int32_t line = 0;
    /** "ethernet0" */
    std::string slot;
};

/** What CheckConfiguration looked at besides the findings. */
struct CheckResult {
    std::vector<CheckFinding> findings;
    std::vector<MacUse> macs;
};

/**
 * Runs every rule on an opened session: the lines the reader kept with a problem (warnings), the
 * save pre-checks, the product's limits, node conflicts, MAC address rules and the named disks
 * (descriptor, adapter type against bus, extents). Disk names are taken relative to the folder
 * of the opened file. Findings come in line order (the file as a whole first).
 */
CheckResult CheckConfiguration(const ConfigSession& session, const KeyLineIndex& lines);

/** The findings of the limits alone (memory, processors, adapters, controllers). */
std::vector<CheckFinding> CheckLimits(const ConfigSession& session, const KeyLineIndex& lines);

/**
 * The duplicate MAC addresses among the uses of several files: for each use whose address another
 * use also has, (file index, finding naming the other file). `files` names the files by index.
 */
std::vector<std::pair<std::size_t, CheckFinding>> DuplicateMacs(const std::vector<std::vector<MacUse>>& uses,
                                                                 const std::vector<std::string>& files);

} // namespace zentravolix::config
