// SPDX-License-Identifier: MIT
#pragma once

#include <csignal>
#include <string>

namespace zentravolix::disk {

/**
 * While an object lives, the files a disk creation makes are removed when the process ends by a
 * signal: an interrupt or termination (SIGINT, SIGTERM, SIGHUP, SIGQUIT) or a crash (SIGSEGV,
 * SIGBUS, SIGILL, SIGFPE, SIGABRT). The handler removes them with unlink only, then lets the
 * signal take its course (the process still ends as the signal says). Signals for which the
 * program set its own handler, or which it ignores, are left to it. SIGKILL cannot be caught.
 * SIGXFSZ (a write past the process's file size limit) is ignored meanwhile, so such a write fails
 * with "File too large" and the creation removes its files as after any failed write.
 * One creation at a time: an object made while another lives does nothing. Not copyable.
 */
class RemoveOnSignal {
public:
    RemoveOnSignal();
    ~RemoveOnSignal();
    RemoveOnSignal(const RemoveOnSignal&) = delete;
    RemoveOnSignal& operator=(const RemoveOnSignal&) = delete;

    /**
     * Records a file the creation has just made (called by the system file operations and for
     * the file an outside tool makes). Without a living object, or beyond the 65,536th file, it
     * does nothing.
     */
    static void fileCreated(const std::string& path) noexcept;

    /**
     * While a Hold lives (on the stack around creating a file and recording it), the signals are
     * held back on this thread: one arriving right after the file came to be would otherwise find
     * it not yet recorded. Does nothing without a living RemoveOnSignal.
     */
    class Hold {
    public:
        Hold() noexcept;
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        bool m_blocked = false;
        sigset_t m_previous; // the thread's signal mask before
    };

private:
    bool m_active = false;
};

} // namespace zentravolix::disk
