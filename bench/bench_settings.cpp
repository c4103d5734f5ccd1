// SPDX-License-Identifier: MIT
// Settings with a long favourites list: start-up (LoadSettings) and quit (SaveSettings with one
// favourite added, so the file is merged and written) against a settings file of N favourites.
#include "platform/Settings.h"
#include "platform/TextTable.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace zentravolix::platform;

namespace {

struct Place {
    fs::path folder;
    SettingsLocations locations;

    explicit Place(std::int64_t favorites)
    {
        const char* tmp = std::getenv("TMPDIR");
        folder = fs::path(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") /
                 ("zv-bench-settings-" + std::to_string(::getpid()));
        fs::remove_all(folder);
        fs::create_directories(folder / "ini");
        locations = {folder / "registry.ini", (folder / "ini").string(), (folder / "tmp/").string()};
        std::ofstream out(IniFilePath(locations.defaultIniLocation), std::ios::binary);
        out << "[General]\r\nCreateBackups=-1\r\nLaunchApplication=\r\nLanguageOffset=0\r\nImagePath=\r\n\r\n"
               "[Favorites]\r\n";
        for (std::int64_t i = 0; i < favorites; ++i)
            out << "Favorite" << i << "=Machine " << i << "\t/srv/vms/machine-" << i << "/machine-" << i
                << ".vmx\t8\r\n";
    }
    ~Place() { fs::remove_all(folder); }
};

void BM_StartAndQuit(benchmark::State& state)
{
    const Place place(state.range(0));
    std::int64_t run = 0;
    for (auto _ : state) {
        ProgramSettings settings;
        const auto loaded = LoadSettings(settings, place.locations);
        settings.Favorites.push_back({"Added " + std::to_string(run++), "/srv/vms/added.vmx", 8, true});
        const auto saved = SaveSettings(settings, place.locations);
        if (!loaded.empty() || !saved.empty())
            state.SkipWithError("the settings reported a problem");
        benchmark::DoNotOptimize(settings.Favorites.data());
    }
    SetLanguageOffset(0);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Start(benchmark::State& state)
{
    const Place place(state.range(0));
    for (auto _ : state) {
        ProgramSettings settings;
        if (!LoadSettings(settings, place.locations).empty())
            state.SkipWithError("the settings reported a problem");
        benchmark::DoNotOptimize(settings.Favorites.data());
    }
    SetLanguageOffset(0);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_Start)->Arg(2500)->Arg(25000)->Arg(250000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartAndQuit)->Arg(2500)->Arg(25000)->Arg(250000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
