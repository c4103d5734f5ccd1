// SPDX-License-Identifier: MIT
// "Nothing lost": random edits through the model on every real file of the corpus, then save,
// read back and save again. Every edited value reads back as set, every line the edits did not
// concern is written as before, and every preserved line survives unless its key was edited.
#include "HardeningSupport.h"
#include "support/Corpus.h"

#include "vmx/VmxReader.h"
#include "vmx/VmxSyntax.h"
#include "vmx/VmxWriter.h"

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <map>
#include <random>
#include <set>

namespace zentravolix::hardening {
namespace {

using tarvonel::VirtualMachine;

constexpr int kSequencesPerFile = 6;
constexpr int kMaxEditsPerSequence = 6;

/** What a sequence of edits changed: the keys it may rewrite and what must read back. */
struct EditLog {
    std::set<std::string> keys;
    std::vector<std::string> prefixes;
    std::vector<std::string> done;
    /** By edited value, so a later edit of the same value replaces the check; "" when it holds. */
    std::map<std::string, std::function<std::string(const VirtualMachine&)>> checks;
    bool touches(const std::string& key) const
    {
        if (keys.count(key))
            return true;
        for (const auto& prefix : prefixes) {
            if (key.compare(0, prefix.size(), prefix) == 0)
                return true;
        }
        return false;
    }
};

std::int64_t memoryTotal(const VirtualMachine& vm)
{
    std::int64_t total = 0;
    const auto memory = vm.Hardware()->Memory();
    for (std::int32_t i = 1; i <= memory->Count(); ++i)
        total += memory->Item(i)->MBs();
    return total;
}

/** A Boolean option the reader and writer carry, with the key it is written under. */
struct Toggle {
    const char* key;
    std::function<bool(const VirtualMachine&)> get;
    std::function<void(VirtualMachine&, bool)> set;
};

const std::vector<Toggle>& toggles()
{
    static const std::vector<Toggle> list = {
        {"gui.poweronatstartup",
         [](const VirtualMachine& vm) { return vm.Options()->PowerOptions()->PowerOnAfterOpening(); },
         [](VirtualMachine& vm, bool v) { vm.Options()->PowerOptions()->SetPowerOnAfterOpening(v); }},
        {"gui.exitatpoweroff",
         [](const VirtualMachine& vm) { return vm.Options()->PowerOptions()->CloseAfterPowerOff(); },
         [](VirtualMachine& vm, bool v) { vm.Options()->PowerOptions()->SetCloseAfterPowerOff(v); }},
        {"snapshot.disabled",
         [](const VirtualMachine& vm) { return vm.Options()->SnapshotsOptions()->SnapshotsEnabled(); },
         [](VirtualMachine& vm, bool v) { vm.Options()->SnapshotsOptions()->SetSnapshotsEnabled(v); }},
        {"isolation.tools.dnd.disable",
         [](const VirtualMachine& vm) { return vm.Options()->GuestIsolationOptions()->DragAndDropEnabled(); },
         [](VirtualMachine& vm, bool v) { vm.Options()->GuestIsolationOptions()->SetDragAndDropEnabled(v); }},
        {"isolation.tools.paste.disable",
         [](const VirtualMachine& vm) { return vm.Options()->GuestIsolationOptions()->PasteEnabled(); },
         [](VirtualMachine& vm, bool v) { vm.Options()->GuestIsolationOptions()->SetPasteEnabled(v); }},
        {"debug", [](const VirtualMachine& vm) { return vm.Options()->AdvancedOptions()->Debugging(); },
         [](VirtualMachine& vm, bool v) { vm.Options()->AdvancedOptions()->SetDebugging(v); }},
        {"templatevm",
         [](const VirtualMachine& vm) { return vm.Options()->AdvancedOptions()->TemplateMode(); },
         [](VirtualMachine& vm, bool v) { vm.Options()->AdvancedOptions()->SetTemplateMode(v); }},
    };
    return list;
}

std::string displayName(std::mt19937& random)
{
    // Quotes, bars and "#" / "=" are what a careless writer would break a line on.
    static const char* const kPieces[] = {"Web",   " server", "\"quoted\"", "a|b", "#1",
                                          "x = y", "Ünïcode", "\t",         "|22"};
    std::string name;
    const int pieces = 1 + static_cast<int>(random() % 4);
    for (int i = 0; i < pieces; ++i)
        name += kPieces[random() % std::size(kPieces)];
    return name;
}

void editOnce(VirtualMachine& vm, std::mt19937& random, EditLog& log)
{
    const auto hw = vm.Hardware();
    switch (random() % 8) {
    case 0: {
        const auto memory = hw->Memory();
        if (memory->Count() == 0)
            return;
        memory->Item(1)->SetMBs(4 * static_cast<std::int32_t>(1 + random() % 16384));
        const std::int64_t total = memoryTotal(vm);
        log.keys.insert("memsize");
        log.done.push_back("memory " + std::to_string(total));
        log.checks["memory"] = [total](const VirtualMachine& back) {
            return memoryTotal(back) == total ? ""
                                              : "memory reads back as " + std::to_string(memoryTotal(back));
        };
        return;
    }
    case 1: {
        const std::string name = displayName(random);
        vm.Options()->GeneralOptions()->SetDisplayName(name);
        log.keys.insert("displayname");
        log.done.push_back("rename");
        log.checks["name"] = [name](const VirtualMachine& back) {
            const std::string got = back.Options()->GeneralOptions()->DisplayName();
            return got == name ? "" : "display name reads back as \"" + got + "\", not \"" + name + "\"";
        };
        return;
    }
    case 2:
    case 3: {
        const Toggle& toggle = toggles()[random() % toggles().size()];
        const bool value = !toggle.get(vm);
        toggle.set(vm, value);
        log.keys.insert(toggle.key);
        log.done.push_back(std::string("toggle ") + toggle.key);
        log.checks[toggle.key] = [&toggle, value](const VirtualMachine& back) {
            return toggle.get(back) == value ? "" : std::string(toggle.key) + " reads back wrong";
        };
        return;
    }
    case 4: {
        const auto advanced = vm.Options()->AdvancedOptions();
        const bool value = !advanced->ClusteringSupport();
        advanced->SetClusteringSupport(value);
        log.keys.insert("disk.locking");
        for (const char* prefix : {"disklib.", "scsi0:0.", "scsi0:1."})
            log.prefixes.push_back(prefix);
        log.done.push_back("clustering");
        log.checks["clustering"] = [value](const VirtualMachine& back) {
            return back.Options()->AdvancedOptions()->ClusteringSupport() == value
                       ? ""
                       : "clustering reads back wrong";
        };
        return;
    }
    case 5:
    case 6: {
        // Adding or removing renumbers the adapters after it, so every ethernet key may change.
        const auto nics = hw->NetworkAdapters();
        if (random() % 2 == 0 && nics->Count() < 4)
            nics->Add();
        else if (nics->Count() > 0)
            nics->Remove(1 + static_cast<std::int32_t>(random() % static_cast<unsigned>(nics->Count())));
        else
            return;
        log.prefixes.push_back("ethernet");
        log.done.push_back("network adapters " + std::to_string(nics->Count()));
        return;
    }
    default: {
        const auto ports = hw->SerialPorts();
        if (random() % 2 == 0 && ports->Count() < 4)
            ports->Add();
        else if (ports->Count() > 0)
            ports->Remove(1 + static_cast<std::int32_t>(random() % static_cast<unsigned>(ports->Count())));
        else
            return;
        log.prefixes.push_back("serial");
        log.done.push_back("serial ports " + std::to_string(ports->Count()));
        return;
    }
    }
}

/** The device counts of a model, which no edit but an add or remove may change. */
std::vector<std::int32_t> deviceCounts(const VirtualMachine& vm)
{
    const auto hw = vm.Hardware();
    return {hw->NetworkAdapters()->Count(), hw->SerialPorts()->Count(),   hw->HardDisks()->Count(),
            hw->CDRoms()->Count(),          hw->Floppies()->Count(),      hw->IDEControllers()->Count(),
            hw->SCSIControllers()->Count(), hw->ParallelPorts()->Count(), hw->GenericSCSIDevices()->Count()};
}

std::map<std::string, std::string> keyLines(std::string_view text)
{
    std::map<std::string, std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string line(text.substr(start, end - start));
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (const auto key = vmx::LineKey(line))
            lines[*key] = line;
        start = end + 1;
    }
    return lines;
}

bool hasLine(std::string_view text, const std::string& line)
{
    const std::string withEnd = line + "\r\n";
    return text.substr(0, withEnd.size()) == withEnd || text.find("\n" + withEnd) != std::string_view::npos;
}

namespace corpus = ::zentravolix::test::corpus;

class NothingLost : public ::testing::TestWithParam<corpus::File> {};

TEST_P(NothingLost, RandomEditsReadBackAndKeepEverythingElse)
{
    const fs::path& path = GetParam().path;
    const std::string text = readFile(path);
    std::mt19937 random(
        static_cast<std::uint32_t>(std::hash<std::string>()(path.filename().string()) ^ 0x5EEDu));

    for (int sequence = 0; sequence < kSequencesPerFile; ++sequence) {
        const auto vm = newMachine();
        const vmx::ReadResult read = vmx::ReadVmxText(text, *vm, path.string());
        const std::string before = vmx::WriteVmxText(*vm, read.otherParams, read.valuesAfterRead);

        EditLog log;
        const int edits = 1 + static_cast<int>(random() % kMaxEditsPerSequence);
        for (int i = 0; i < edits; ++i)
            editOnce(*vm, random, log);
        std::string trace;
        for (const auto& step : log.done)
            trace += step + "; ";
        SCOPED_TRACE("edits: " + trace);

        const std::string saved = vmx::WriteVmxText(*vm, read.otherParams, read.valuesAfterRead);
        const auto back = newMachine();
        const vmx::ReadResult reread = vmx::ReadVmxText(saved, *back, path.string());
        const std::string again = vmx::WriteVmxText(*back, reread.otherParams, reread.valuesAfterRead);

        for (const auto& [what, check] : log.checks) {
            const std::string problem = check(*back);
            EXPECT_EQ(problem, "") << what;
        }
        EXPECT_EQ(deviceCounts(*back), deviceCounts(*vm)) << "devices were made or lost";

        const auto beforeLines = keyLines(before);
        const auto savedLines = keyLines(saved);
        const auto againLines = keyLines(again);
        for (const auto& [key, line] : beforeLines) {
            if (log.touches(key))
                continue;
            const auto s = savedLines.find(key);
            const auto a = againLines.find(key);
            EXPECT_TRUE(s != savedLines.end() && s->second == line)
                << "untouched line changed on save: " << line;
            EXPECT_TRUE(a != againLines.end() && a->second == line)
                << "untouched line changed on reload: " << line;
        }
        for (const auto& line : read.otherParams) {
            const auto key = vmx::LineKey(line);
            if (!hasLine(before, line) || (key && log.touches(*key)))
                continue; // a key set twice keeps its later line; an edited key its new value
            EXPECT_TRUE(hasLine(saved, line)) << "preserved line lost on save: " << line;
            EXPECT_TRUE(hasLine(again, line)) << "preserved line lost on reload: " << line;
        }
        EXPECT_EQ(again, saved) << "a saved file does not save again the same";
        if (HasFailure())
            return;
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, NothingLost, ::testing::ValuesIn(corpus::Files("vmx", ".vmx")),
                         [](const ::testing::TestParamInfo<corpus::File>& info) {
                             return corpus::TestName(info.param, "vmx");
                         });

// Found by this test: the kept line of a removed adapter made the adapter again on the next read.
TEST(NothingLostFinding, RemovedAdapterDoesNotComeBack)
{
    const std::string text = "ethernet0.present = \"TRUE\"\r\nethernet0.pciSlotNumber = \"32\"\r\n";
    const auto vm = newMachine();
    const vmx::ReadResult read = vmx::ReadVmxText(text, *vm);
    while (vm->Hardware()->NetworkAdapters()->Count() > 0)
        vm->Hardware()->NetworkAdapters()->Remove(1);
    const std::string saved = vmx::WriteVmxText(*vm, read.otherParams, read.valuesAfterRead);
    const auto back = newMachine();
    vmx::ReadVmxText(saved, *back);
    EXPECT_EQ(back->Hardware()->NetworkAdapters()->Count(), 0);
}

TEST(NothingLostFigures, SequencesOverTheWholeCorpus)
{
    const auto files = corpus::Files("vmx", ".vmx");
    ASSERT_GE(corpus::CountInRepository("vmx", ".vmx"), 50u) << corpus::InRepository();
    std::cout << "[ hardening ] " << files.size() * kSequencesPerFile << " edit sequences over "
              << files.size() << " corpus files (" << kSequencesPerFile << " per file, up to "
              << kMaxEditsPerSequence << " edits each)" << std::endl;
}

} // namespace
} // namespace zentravolix::hardening
