// SPDX-License-Identifier: MIT
#pragma once

// One configuration's life, as the editor and the command-line tool both live it: a new machine
// or an opened file, the rules that give it its name, folder and limits, and the save with its
// checks and backup.

#include "config/ProductLimits.h"
#include "config/ProductTables.h"
#include "vmx/ReadProblem.h"
#include "vmx/SaveChecks.h"
#include "vmx/ValuesAfterRead.h"
#include "vmx/VmxReader.h"
#include "vmx/VmxWriter.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvonel {
class VirtualMachine;
}

namespace zentravolix::config {

/** How a file is opened. */
struct OpenOptions {
    /** Keep the file as opened: its backup is made when it is first saved over (BackupIfDue). */
    bool backup = false;
    /**
     * The name the file is known by (its favourite). A file without a display name takes it, or
     * its file name without the extension when this is empty.
     */
    std::string knownAs;
};

/**
 * One configuration from its creation to its saves. The model starts with the new-machine
 * defaults; then either StartNew gives it the new machine's name and folder, or Open reads a file
 * on top of the defaults. Save writes the model with the lines of the read file the model does not
 * hold. Everything the caller shows (messages, questions) stays with the caller: the session
 * returns what happened and throws the errors of the reader and the writer.
 */
class ConfigSession {
public:
    /** The model with the new-machine defaults; tempPath is the folder of a new machine given none. */
    explicit ConfigSession(std::string tempPath);
    /** One session per configuration: a copy would share the model but not the kept lines. */
    ConfigSession(const ConfigSession&) = delete;
    ConfigSession& operator=(const ConfigSession&) = delete;

    /** The model; the session and its holders share it for the session's whole life. */
    const std::shared_ptr<tarvonel::VirtualMachine>& Machine() const { return m_vm; }

    /**
     * Names the new machine: displayName (callers pass their language's "New VM" when the user
     * gave none), or the English "New VM" when it is empty; the file is that name followed by ".vmx" in folder, or in
     * the temporary folder when folder is empty; the folder ends in the path separator. The name
     * counts as valid when both fields are set.
     */
    void StartNew(const std::string& displayName, const std::string& folder);

    /**
     * Reads the file on top of the defaults and applies the rules of an opened file: a file
     * without a display name goes by options.knownAs, else by its file name without the
     * extension (never by the default "New VM"); the limits follow the file's product and version
     * when they are known; the name counts as valid. Returns the lines that could not be applied.
     * Throws vmx::VmxFileError when the file cannot be read; the model then holds the defaults
     * without a display name.
     */
    const std::vector<vmx::ReadProblem>& Open(const std::filesystem::path& file, const OpenOptions& options = {});

    /** As Open, for text already in memory that is the file at path (no backup is ever due). */
    const std::vector<vmx::ReadProblem>& OpenText(std::string_view text, const std::filesystem::path& path,
                                                  const std::string& knownAs = {});

    /** The file that was opened; empty for a new machine. */
    const std::filesystem::path& OpenedPath() const { return m_openedPath; }
    /** The lines of the opened file that could not be applied, in line order. */
    const std::vector<vmx::ReadProblem>& Problems() const { return m_problems; }

    /** The opened file is a fully encrypted configuration: it opens read-only and is never saved. */
    bool Encrypted() const { return m_encrypted; }

    /** Limits of the chosen product version. */
    const EditorLimits& Limits() const { return m_limits; }
    void SetLimits(const EditorLimits& limits) { m_limits = limits; }

    /**
     * Makes the machine one for `product`, as choosing it in the editor does: the version's
     * config.version and virtualHW.version are written, its limits become the session's, and what
     * they forbid is removed (see BringWithinLimits). Returns what was changed; nothing when the
     * catalog has no such version, and then nothing changes.
     */
    std::optional<LimitChanges> ChooseProduct(ProductVersion product);
    /**
     * For a machine of today's product versions: takes into the model the kept lines a classic
     * version left as text because only today's products write them (adapter types, firmware,
     * cores per processor...), so they show on their pages. ChooseProduct does it; the editor
     * calls it after a version chosen on its General page. Returns whether anything was taken.
     */
    bool TakeNewerKeptLines();

    /** Whether the file name and folder fields were last found valid (a save checks it). */
    bool NameValid() const { return m_nameValid; }
    void SetNameValid(bool valid) { m_nameValid = valid; }

    /** Saves under another name: folder and file name of path (made absolute); the name is then checked. */
    void SaveAs(const std::filesystem::path& path);

    /** Where a save writes: the folder followed by the file name. */
    std::filesystem::path FilePath() const;

    /** The lines of the read file the model does not hold, written back on save. */
    const std::vector<std::string>& OtherParams() const { return m_otherParams; }
    /** The value of the last kept line under this key (letter case ignored); nothing when none. */
    std::optional<std::string> KeptValue(const std::string& lowerKey) const;
    /** Drops the kept lines of this key: the model's own value is written instead. */
    void DropKept(const std::string& lowerKey);
    /** Replaces the kept lines (the configuration parameters); a save writes them in this order. */
    void SetOtherParams(std::vector<std::string> lines) { m_otherParams = std::move(lines); }
    const vmx::ValuesAfterRead& ValuesAfterRead() const { return m_valuesAfterRead; }

    /** The save pre-checks (file name and folder, PCI devices); nothing when the save may go on. */
    std::optional<vmx::SaveRefusal> CheckBeforeSave() const;

    /** True while the opened file's backup is still to be made before a save over it. */
    bool BackupPending() const { return m_original.has_value(); }

    /**
     * Before a save: when the backup is pending and the save replaces the opened file, writes the
     * file as it was opened to its ".bak" and returns the backup's path; the backup is then made
     * for this session. Nothing when no backup was due (a save under another name leaves it
     * pending). Throws platform::IoError naming the backup; nothing may then be saved over the file.
     */
    std::optional<std::filesystem::path> BackupIfDue();

    /**
     * Writes the file atomically (vmx::SaveVmxFile) with the kept lines. Does not run the
     * pre-checks or the backup. Throws platform::IoError naming the path and the reason, or the
     * writer's errors for a model it cannot write; the old file is then untouched.
     */
    vmx::SavedFile Save();

    /** The text a save would write now. */
    std::string Text() const;

    /**
     * The file a save would replace (FilePath()) as it is on disk now; nothing when there is no
     * such file or it cannot be read.
     */
    std::optional<std::string> TextOnDisk() const;

    /**
     * True when the file a save would replace is the one this session last read or wrote and
     * another program has written it since: it still exists and its content differs (a file
     * only touched, with the same content, has not changed).
     */
    bool ChangedOnDisk() const;

    /**
     * Everything an edit can change: the model (a detached copy), the kept lines, the limits and
     * the name check. Taken before and after an edit, it lets the edit be undone and redone.
     */
    struct EditState {
        std::shared_ptr<const tarvonel::VirtualMachine> machine;
        std::vector<std::string> otherParams;
        EditorLimits limits;
        bool nameValid = false;

        bool operator==(const EditState& other) const;
    };
    /** The state now; later edits do not change it. */
    EditState CaptureState() const;
    /** Puts the state back: the model keeps its own objects and takes the state's values. */
    void RestoreState(const EditState& state);

private:
    void beforeRead();
    void afterRead(vmx::ReadResult result, const std::filesystem::path& file, const std::string& knownAs);

    std::shared_ptr<tarvonel::VirtualMachine> m_vm;
    std::string m_tempPath;
    EditorLimits m_limits;
    bool m_nameValid = false;
    std::filesystem::path m_openedPath;
    std::vector<std::string> m_otherParams;
    std::vector<vmx::ReadProblem> m_problems;
    vmx::ValuesAfterRead m_valuesAfterRead;
    /** The file as opened while its backup is still to be made. */
    std::optional<vmx::OpenedFile> m_original;

    /** The file as this session last read or wrote it. */
    struct KnownFile {
        std::filesystem::path path;
        std::uintmax_t size = 0;
        std::filesystem::file_time_type time;
        std::size_t hash = 0;
    };
    void rememberFile(const std::filesystem::path& path, std::string_view content);
    void rememberFile(const std::filesystem::path& path, std::size_t contentHash);
    std::optional<KnownFile> m_known;
    bool m_encrypted = false;
};

} // namespace zentravolix::config
