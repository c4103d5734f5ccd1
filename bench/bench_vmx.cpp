// SPDX-License-Identifier: MIT
// Reading and writing .vmx files of growing size, mostly keys the program does not know (the
// shape of files written by later products). The time per line must stay flat.
#include "config/ConfigSession.h"

#include <tarvonel/tarvonel.h>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using namespace zentravolix;

/** A file of `lines` lines: a few understood keys per hundred, the rest unknown or comments. */
std::string makeFile(std::int64_t lines)
{
    std::string text;
    text.reserve(static_cast<std::size_t>(lines) * 40);
    for (std::int64_t i = 0; i < lines; ++i) {
        switch (i % 100) {
        case 0:
            text += "displayName = \"Machine " + std::to_string(i) + "\"\r\n";
            break;
        case 1:
            text += "ethernet" + std::to_string((i / 100) % 8) + ".virtualDev = \"vmxnet3\"\r\n";
            break;
        case 2:
            text += "scsi0:" + std::to_string((i / 100) % 7) + ".fileName = \"disk.vmdk\"\r\n";
            break;
        case 3:
            text += "# comment " + std::to_string(i) + "\r\n";
            break;
        default:
            text += "unknown.key" + std::to_string(i) + " = \"value " + std::to_string(i) + "\"\r\n";
            break;
        }
    }
    return text;
}


void BM_ReadVmx(benchmark::State& state)
{
    const std::string text = makeFile(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto session = std::make_unique<config::ConfigSession>("/tmp/");
        state.ResumeTiming();
        session->OpenText(text, "/vms/bench/bench.vmx");
        benchmark::DoNotOptimize(session->OtherParams().data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void BM_WriteVmx(benchmark::State& state)
{
    const std::string text = makeFile(state.range(0));
    config::ConfigSession session("/tmp/");
    session.OpenText(text, "/vms/bench/bench.vmx");
    for (auto _ : state) {
        auto written = session.Text();
        benchmark::DoNotOptimize(written.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

/**
 * A short file whose indexes make many items: a share, an adapter and a serial port at index
 * `index - 1` (every one below made too), each with a line the program keeps. Reading records
 * the writer's lines for the kept lines' keys; that must not cost a write of every item.
 */
void BM_ReadVmxHighIndexes(benchmark::State& state)
{
    const std::string n = std::to_string(state.range(0) - 1);
    const std::string text = "sharedFolder" + n + ".present = \"TRUE\"\r\nsharedFolder" + n +
                             ".unknownOption = \"1\"\r\nethernet" + n + ".present = \"TRUE\"\r\nethernet" + n +
                             ".pciSlotNumber = \"33\"\r\nserial" + n + ".present = \"TRUE\"\r\nserial" + n +
                             ".fileType = \"unknown\"\r\n";
    for (auto _ : state) {
        state.PauseTiming();
        auto session = std::make_unique<config::ConfigSession>("/tmp/");
        state.ResumeTiming();
        session->OpenText(text, "/vms/bench/bench.vmx");
        benchmark::DoNotOptimize(session->OtherParams().data());
        state.PauseTiming();
        session.reset(); // the items' release is not the reader's time
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * 3);
}

/** What one undo step costs the editor: the state after the edit, taken and compared with the one before. */
void BM_EditStep(benchmark::State& state)
{
    const std::string text = makeFile(state.range(0));
    config::ConfigSession session("/tmp/");
    session.OpenText(text, "/vms/bench/bench.vmx");
    const auto before = session.CaptureState();
    for (auto _ : state) {
        auto after = session.CaptureState();
        benchmark::DoNotOptimize(after == before);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_ReadVmx)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WriteVmx)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadVmxHighIndexes)->Arg(16)->Arg(256)->Arg(1024)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EditStep)->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
