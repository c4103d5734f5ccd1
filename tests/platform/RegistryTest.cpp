// SPDX-License-Identifier: MIT
#include "TestFolder.h"

#include "platform/AtomicFile.h"
#include "platform/cRegistry.h"

#include <gtest/gtest.h>

using namespace zentravolix::platform;
using zvtest::ReadFile;
using zvtest::WriteFile;

namespace {

class RegistryTest : public zvtest::IsolatedTest {
protected:
    cRegistry reg(const std::string& value, std::int32_t type = RegistryType::String,
                  const std::string& key = "Software\\Quindrel\\Zentravolix")
    {
        cRegistry r(store);
        r.SetClassKey(kHkeyCurrentUser);
        r.SetSectionKey(key);
        r.SetValueKey(value);
        r.SetValueType(type);
        r.SetDefault(std::string("dflt"));
        return r;
    }
    std::filesystem::path store = configHome() / "Quindrel" / "Zentravolix" / "registry.ini";
};

} // namespace

TEST_F(RegistryTest, FirstReadFallsBackToDefault)
{
    EXPECT_EQ(std::get<std::string>(reg("IniLocation").Value()), "dflt");
    cRegistry noDefault(store);
    noDefault.SetSectionKey("Software\\Quindrel\\Zentravolix");
    noDefault.SetValueKey("IniLocation");
    EXPECT_EQ(noDefault.StringValue(), "");
    EXPECT_TRUE(reg("").EnumerateValues().empty());
    EXPECT_FALSE(std::filesystem::exists(store)); // reads never create the store
}

TEST_F(RegistryTest, TypedValuesRoundTripExactly)
{
    const std::string awkward = "  line1\r\nline2 %25 = [x] ; \xC3\xA4  ";
    reg("Text").SetValue(awkward);
    reg("Number", RegistryType::Number).SetValue(std::int32_t{-42});
    reg("NumberText", RegistryType::Number).SetValue(std::string("4294967295"));
    reg("Bytes", RegistryType::Binary).SetValue(std::vector<std::uint8_t>{0, 0xFF, 0x0A, 0x25});
    reg("List", RegistryType::MultiString).SetValue(std::vector<std::string>{"a b", "", "c"});
    reg("name=with[odd];chars").SetValue(std::string("v"));

    EXPECT_EQ(std::get<std::string>(reg("text").Value()), awkward); // names ignore case
    EXPECT_EQ(std::get<std::int32_t>(reg("Number").Value()), -42);
    EXPECT_EQ(std::get<std::int32_t>(reg("NumberText").Value()), -1);
    EXPECT_EQ(std::get<std::vector<std::uint8_t>>(reg("Bytes").Value()),
              (std::vector<std::uint8_t>{0, 0xFF, 0x0A, 0x25}));
    EXPECT_EQ(std::get<std::vector<std::string>>(reg("List").Value()),
              (std::vector<std::string>{"a b", "", "c"}));
    EXPECT_EQ(reg("name=with[odd];chars").StringValue(), "v");
    EXPECT_EQ(reg("").EnumerateValues(), (std::vector<std::string>{"Text", "Number", "NumberText", "Bytes",
                                                                   "List", "name=with[odd];chars"}));
}

TEST_F(RegistryTest, PercentReferencesAreStoredExpandableAndExpandedOnRead)
{
    setEnv("ZV_TEST_FOLDER", "/data/vms");
    reg("Expanding").SetValue(std::string("%ZV_TEST_FOLDER%/x %ZV_UNSET_NAME%"));
    reg("Plain").SetValue(std::string("100%% sure")); // the second "%" follows at once: not a reference
    EXPECT_EQ(reg("Expanding").StringValue(), "/data/vms/x %ZV_UNSET_NAME%");
    EXPECT_EQ(reg("Plain").StringValue(), "100%% sure");
    const std::string text = ReadFile(store);
    EXPECT_NE(text.find("Expanding=expand_sz:"), std::string::npos);
    EXPECT_NE(text.find("Plain=sz:"), std::string::npos);
}

TEST_F(RegistryTest, HandWrittenStoreReadsAndKeepsUnknownLines)
{
    WriteFile(store, "# kept comment\n"
                     "[HKEY_CURRENT_USER\\Software\\Empty]\n"
                     "[hkey_current_user\\software\\quindrel\\zentravolix]\n"
                     "Swapped=dword_be:16777216\n"
                     "Broken line without type\n"
                     "[HKEY_LOCAL_MACHINE\\Software\\Quindrel\\Zentravolix]\n"
                     "Machine=sz:local machine\n");
    EXPECT_EQ(std::get<std::int32_t>(reg("Swapped").Value()), 16777216);
    EXPECT_TRUE(reg("", RegistryType::String, "Software\\Empty").EnumerateValues().empty());
    EXPECT_EQ(reg("").EnumerateValues(), std::vector<std::string>{"Swapped"});
    EXPECT_EQ(reg("Machine").StringValue(), "dflt"); // another root is another tree
    reg("Added").SetValue(std::string("1"));
    const std::string text = ReadFile(store);
    EXPECT_NE(text.find("# kept comment\n"), std::string::npos);
    EXPECT_NE(text.find("Broken line without type\nAdded=sz:1\n"), std::string::npos);
    EXPECT_NE(text.find("Machine=sz:local machine"), std::string::npos);
}

TEST_F(RegistryTest, FailedWriteRaisesTheClassicError)
{
    WriteFile(configHome() / "Quindrel", "a file where the folder should be");
    auto r = reg("IniLocation");
    try {
        r.SetValue(std::string("/x/y"));
        FAIL() << "no error";
    } catch (const RegistryError& e) {
        EXPECT_EQ(static_cast<std::uint32_t>(e.Number()), 0x800469A9u);
        EXPECT_EQ(e.Source(), "Zentravolix.cRegistry");
        EXPECT_STREQ(e.what(), "Failed to set registry value Key: '-2147483647',Section: "
                               "'Software\\Quindrel\\Zentravolix',Key: 'IniLocation' to value: '/x/y'");
        EXPECT_NE(e.reason().find("Quindrel"), std::string::npos);
    }
}

TEST_F(RegistryTest, RefusedWritesLeaveTheStore)
{
    reg("Keep").SetValue(std::string("old"));
    const std::string before = ReadFile(store);
    EXPECT_THROW(reg("Keep", RegistryType::Number).SetValue(std::string("not a number")), RegistryError);
    EXPECT_THROW(reg("Keep", 99).SetValue(std::string("x")), RegistryError);
    {
        ScopedWriteFailureForTesting failure(WriteHooks::RenameFailure());
        EXPECT_THROW(reg("Keep").SetValue(std::string("new")), RegistryError);
    }
    auto remote = reg("Keep");
    remote.SetMachine("far-away");
    EXPECT_THROW(remote.SetValue(std::string("new")), RegistryError);
    EXPECT_EQ(std::get<std::string>(remote.Value()), "dflt");
    EXPECT_EQ(ReadFile(store), before);
    EXPECT_EQ(zvtest::Listing(store.parent_path()), std::vector<std::string>{"registry.ini"});
}
