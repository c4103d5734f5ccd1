// SPDX-License-Identifier: MIT
#include "disk/RemoveOnSignal.h"

#include <atomic>
#include <csignal>
#include <pthread.h>
#include <cstddef>
#include <unistd.h>
#include <vector>

namespace zentravolix::disk {

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};
// A 62 TB disk split into growable pieces has 31,761 files (pieces and descriptor).
constexpr std::size_t kCapacity = 65536;

/**
 * The recorded paths. A slot is filled before the count that publishes it grows, and the storage
 * is never freed or moved, so the handler reads only complete strings, on any thread.
 */
std::vector<std::string>& paths()
{
    static auto* storage = new std::vector<std::string>(kCapacity);
    return *storage;
}
std::atomic<std::size_t> g_count{0};
std::atomic<bool> g_active{false};
struct sigaction g_previous[NSIG];
bool g_installed[NSIG];
/** SIGXFSZ was set to be ignored for the creation (see the constructor). */
bool g_fileSizeIgnored = false;

static_assert(std::atomic<std::size_t>::is_always_lock_free && std::atomic<bool>::is_always_lock_free,
              "the signal handler needs lock-free atomics");

void removeAndResignal(int signal)
{
    // Only async-signal-safe calls from here on: unlink, sigaction, raise.
    if (g_active.load(std::memory_order_acquire)) {
        const std::size_t count = g_count.load(std::memory_order_acquire);
        const std::vector<std::string>& recorded = paths();
        for (std::size_t i = count; i-- > 0;)
            ::unlink(recorded[i].c_str());
        g_count.store(0, std::memory_order_release);
    }
    // The signal is blocked while its handler runs: raised again, it takes its previous course
    // (for the default action, ending the process) once the handler returns.
    ::sigaction(signal, &g_previous[signal], nullptr);
    ::raise(signal);
}

} // namespace

RemoveOnSignal::RemoveOnSignal()
{
    bool expected = false;
    if (!g_active.compare_exchange_strong(expected, true))
        return;
    m_active = true;
    paths(); // allocated now, never in a handler
    g_count.store(0, std::memory_order_release);
    for (const int signal : kSignals) {
        struct sigaction current {};
        g_installed[signal] = false;
        if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL ||
            (current.sa_flags & SA_SIGINFO) != 0)
            continue;
        struct sigaction handler {};
        handler.sa_handler = &removeAndResignal;
        sigemptyset(&handler.sa_mask);
        for (const int other : kSignals)
            sigaddset(&handler.sa_mask, other); // one cleanup at a time
        if (::sigaction(signal, &handler, &g_previous[signal]) == 0)
            g_installed[signal] = true;
    }
    // Past the process's file size limit a write raises SIGXFSZ, which ends the process by
    // default. Ignored, the write fails with "File too large" and the creation cleans up as after
    // any failed write.
    struct sigaction current {};
    g_fileSizeIgnored = false;
    if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL &&
        (current.sa_flags & SA_SIGINFO) == 0) {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        g_fileSizeIgnored = ::sigaction(SIGXFSZ, &ignore, &g_previous[SIGXFSZ]) == 0;
    }
}

RemoveOnSignal::~RemoveOnSignal()
{
    if (!m_active)
        return;
    for (const int signal : kSignals) {
        if (g_installed[signal])
            ::sigaction(signal, &g_previous[signal], nullptr);
        g_installed[signal] = false;
    }
    if (g_fileSizeIgnored)
        ::sigaction(SIGXFSZ, &g_previous[SIGXFSZ], nullptr);
    g_fileSizeIgnored = false;
    g_count.store(0, std::memory_order_release);
    g_active.store(false, std::memory_order_release);
}

RemoveOnSignal::Hold::Hold() noexcept
{
    if (!g_active.load(std::memory_order_acquire))
        return;
    sigset_t block;
    sigemptyset(&block);
    for (const int signal : kSignals)
        sigaddset(&block, signal);
    m_blocked = ::pthread_sigmask(SIG_BLOCK, &block, &m_previous) == 0;
}

RemoveOnSignal::Hold::~Hold()
{
    // A signal that came meanwhile is handled here, with the file recorded.
    if (m_blocked)
        ::pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
}

void RemoveOnSignal::fileCreated(const std::string& path) noexcept
{
    if (!g_active.load(std::memory_order_acquire))
        return;
    const std::size_t count = g_count.load(std::memory_order_acquire);
    if (count >= kCapacity)
        return;
    try {
        paths()[count] = path;
    } catch (...) {
        return; // out of memory: this file is left to the creation's own cleanup
    }
    g_count.store(count + 1, std::memory_order_release);
}

} // namespace zentravolix::disk
