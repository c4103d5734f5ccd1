// SPDX-License-Identifier: MIT
#include "vmx/VmxSyntax.h"
#include "vmx/detail/FlatMap.h"
#include "vmx/detail/KeySet.h"
#include "vmx/detail/ReaderContext.h"

#include "platform/TextUtil.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace zentravolix::vmx {
namespace {

TEST(VmxEscaping, EscapesWhatCouldBreakALineOrAValue)
{
    EXPECT_EQ(EscapeValue("a\"b"), "a|22b");
    EXPECT_EQ(EscapeValue("a|b"), "a|7Cb");
    EXPECT_EQ(EscapeValue("a\r\nb"), "a|0D|0Ab");
    EXPECT_EQ(EscapeValue("lone\rcr\nlf"), "lone|0Dcr|0Alf");
    EXPECT_EQ(EscapeValue(std::string("\0\x1f\x7f", 3)), "|00|1F|7F");
    // TAB, backslashes and bytes above 0x7F pass through: VMware writes them as they are.
    EXPECT_EQ(EscapeValue("C:\\VMs\t\xC3\xA9"), "C:\\VMs\t\xC3\xA9");
}

TEST(VmxEscaping, UnescapesEitherCaseAndLeavesOtherBarsAlone)
{
    EXPECT_EQ(UnescapeValue("a|0d|0Ab"), "a\r\nb");
    EXPECT_EQ(UnescapeValue("|7c|22"), "|\"");
    EXPECT_EQ(UnescapeValue("a|b|"), "a|b|");
    EXPECT_EQ(UnescapeValue("|4"), "|4");
    EXPECT_EQ(UnescapeValue("|G0x"), "|G0x");
    for (const std::string& value : {std::string("x\"y|z\r\n"), std::string("\0\x01|22", 5), std::string("plain")})
        EXPECT_EQ(UnescapeValue(EscapeValue(value)), value);
}

TEST(VmxLineParts, KeyIsTrimmedLowerCaseTextBeforeTheFirstEquals)
{
    EXPECT_EQ(LineKey("  displayName = \"x\""), "displayname");
    EXPECT_EQ(LineKey("\tEthernet0.VirtualDev=\"e1000\""), "ethernet0.virtualdev");
    EXPECT_EQ(LineKey("a = b = c"), "a");
    EXPECT_FALSE(LineKey("# comment = 1"));
    EXPECT_FALSE(LineKey("no equals"));
    EXPECT_FALSE(LineKey("  = value"));
}

TEST(VmxLineParts, ValueLosesQuotesEverywhereThenEscapesAreDecoded)
{
    EXPECT_EQ(LineValue("k = \"a\"b\"\""), "ab");
    EXPECT_EQ(LineValue("k=  \"|22quoted|22\"  "), "\"quoted\"");
    EXPECT_EQ(LineValue("k = unquoted value "), "unquoted value");
    EXPECT_EQ(LineValue("k = \"x=y\""), "x=y");
    // A quote inside an escape is removed first, so the escape it split is decoded.
    EXPECT_EQ(LineValue("k = \"a|\"22b\""), "a\"b");
    EXPECT_EQ(LineValue("k = \"ends in a bar|\""), "ends in a bar|");
}

TEST(VmxLineParts, AValueDecodedIntoAUsedBufferIsOnlyThatValue)
{
    std::string buffer;
    LineValueInto(buffer, "fileName = \"/a/long/path/to/the/disk|20image.vmdk\"");
    EXPECT_EQ(buffer, "/a/long/path/to/the/disk image.vmdk");
    LineValueInto(buffer, "present = \"TRUE\"");
    EXPECT_EQ(buffer, "TRUE");
    LineValueInto(buffer, "no equals sign");
    EXPECT_EQ(buffer, "");
    LineValueInto(buffer, "k = \"|41|42\"");
    EXPECT_EQ(buffer, "AB");
}

TEST(VmxNodeMaps, EveryAddressKeepsItsOwnValueAsTheMapGrows)
{
    // Addresses that differ in one part only: the controller, the node or the bus.
    detail::FlatMap<detail::NodeAddress, int, detail::NodeAddressHash> map;
    std::vector<detail::NodeAddress> addresses;
    for (std::int32_t i = 0; i < 1500; ++i) {
        addresses.push_back({detail::Bus::Scsi, i, 0});
        addresses.push_back({detail::Bus::Sata, 0, i - 700});
    }
    for (const auto bus : {detail::Bus::Ide, detail::Bus::Nvme})
        addresses.push_back({bus, 0, 0});
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        auto [value, added] = map.tryEmplace(addresses[i]);
        EXPECT_TRUE(added);
        value = static_cast<int>(i);
    }
    EXPECT_EQ(map.size(), addresses.size());
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        ASSERT_NE(map.find(addresses[i]), nullptr) << i;
        EXPECT_EQ(*map.find(addresses[i]), static_cast<int>(i));
        EXPECT_FALSE(map.tryEmplace(addresses[i]).second); // the first value stays
    }
    EXPECT_EQ(map.find({detail::Bus::Scsi, 0, 1}), nullptr);
    EXPECT_EQ(map.find({detail::Bus::Sata, 1, 0}), nullptr);
    const detail::FlatMap<detail::NodeAddress, int, detail::NodeAddressHash> empty;
    EXPECT_EQ(empty.find({}), nullptr);
}

TEST(VmxNumbers, AcceptsOnlySignAndDigitsWithinTheRange)
{
    std::int64_t n = 7;
    EXPECT_EQ(ParseInteger("42", 0, 100, n), NumberStatus::Ok);
    EXPECT_EQ(n, 42);
    EXPECT_EQ(ParseInteger("-1", -1, 1, n), NumberStatus::Ok);
    EXPECT_EQ(n, -1);
    EXPECT_EQ(ParseInteger("+5", 0, 10, n), NumberStatus::Ok);
    for (const char* bad : {"", "-", "1.5", "0x10", " 1", "1e3", "12a"})
        EXPECT_EQ(ParseInteger(bad, -100, 100, n), NumberStatus::NotANumber) << bad;
    EXPECT_EQ(ParseInteger("32768", -32768, 32767, n), NumberStatus::OutOfRange);
    EXPECT_EQ(ParseInteger("99999999999999999999999999", 0, std::numeric_limits<std::int64_t>::max(), n),
              NumberStatus::OutOfRange);
    EXPECT_EQ(n, 5) << "a failed parse leaves the value alone";
}

TEST(VmxNumbers, TheWholeRangeOfSixtyFourBitsIsANumber)
{
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    std::int64_t n = 0;
    EXPECT_EQ(ParseInteger("9223372036854775807", kMin, kMax, n), NumberStatus::Ok);
    EXPECT_EQ(n, kMax);
    EXPECT_EQ(ParseInteger("-9223372036854775808", kMin, kMax, n), NumberStatus::Ok);
    EXPECT_EQ(n, kMin);
    EXPECT_EQ(ParseInteger("9223372036854775808", kMin, kMax, n), NumberStatus::OutOfRange);
    EXPECT_EQ(ParseInteger("99999999999999999999x", kMin, kMax, n), NumberStatus::NotANumber)
        << "a stray character makes no number, however long the digits before it";
}

// The reader, the writer, the disk descriptors and the settings share one set of string helpers;
// each trims what its format allows.
TEST(SharedTextHelpers, VmxLinesAndDescriptorsTrimOnlySpacesAndTabsSettingsTrimAllBlanks)
{
    EXPECT_EQ(platform::TrimSpacesAndTabs(" \tkey \t"), "key");
    EXPECT_EQ(platform::TrimSpacesAndTabs("\v value\f\r"), "\v value\f\r");
    EXPECT_EQ(platform::TrimBlanks("\v\r\n value\f\t "), "value");
    // The reader keeps a vertical tab or form feed that stands at the edge of a key.
    EXPECT_EQ(RawLineKey("\fkey\v = 1"), "\fkey\v");
    EXPECT_EQ(LineValue("k = \"v\"\f"), "v\f");
}

TEST(SharedTextHelpers, SettingsNumbersMayCarryBlanksVmxNumbersMayNot)
{
    std::int64_t n = 0;
    EXPECT_EQ(platform::ParseInteger(" \t42\r\n", 0, 100), std::optional<std::int64_t>(42));
    EXPECT_EQ(platform::ParseInteger("+-4", -10, 10), std::nullopt);
    EXPECT_EQ(platform::ParseInteger("101", 0, 100), std::nullopt);
    EXPECT_EQ(ParseInteger(" 42", 0, 100, n), NumberStatus::NotANumber);
    EXPECT_TRUE(EqualsIgnoreCase("ScSi0:1.FileName", "scsi0:1.filename"));
    EXPECT_FALSE(EqualsIgnoreCase("\xC3\x89", "\xC3\xA9")) << "letters beyond ASCII keep their case";
    EXPECT_EQ(ToLower("Ethernet0.\xC3\x89"), "ethernet0.\xC3\x89");
}

// Keys are compared as VMware compares them: ASCII letters in either case are one key, every
// other byte (the neighbours of the letters, bytes of other character sets) only itself.
TEST(VmxKeySets, LetterCaseIsIgnoredAtEveryPlaceAndNothingElseIsFolded)
{
    const std::string base = "abcdefghijklmnopqrstuvwxyz.ethernet0:1";
    for (std::size_t length = 1; length <= base.size(); ++length) {
        const std::string key = base.substr(0, length);
        for (std::size_t at = 0; at < length; ++at) {
            std::string upper = key;
            if (upper[at] >= 'a' && upper[at] <= 'z')
                upper[at] = static_cast<char>(upper[at] - 'a' + 'A');
            EXPECT_EQ(KeyHash{}(key), KeyHash{}(upper)) << upper;
        }
    }

    // Beside each letter range, and a letter with the high bit set (a Latin-1 byte).
    const std::vector<std::string> distinct = {"key@", "key`", "key[", "key{", "key\xC1", "key\xE1", "keya"};
    detail::KeySet set(2);
    for (const std::string& key : distinct)
        EXPECT_TRUE(set.insert(key)) << key;
    EXPECT_FALSE(set.insert("KEYA"));
    EXPECT_TRUE(set.contains("Key@"));
    EXPECT_FALSE(set.contains("key "));
    EXPECT_FALSE(set.contains(""));

    // Grows past the size it was made for without losing a key.
    std::vector<std::string> many;
    for (int i = 0; i < 5000; ++i)
        many.push_back("unknown.key" + std::to_string(i));
    for (const std::string& key : many)
        EXPECT_TRUE(set.insert(key));
    for (const std::string& key : many)
        ASSERT_FALSE(set.insert("UNKNOWN" + key.substr(7))) << key;
}

TEST(VmxRelativeNames, OnlyFilesDirectlyInTheMachineFolderLoseTheFolder)
{
    EXPECT_EQ(RelativeFileName("/vms/test/disk.vmdk", "/vms/test/"), "disk.vmdk");
    EXPECT_EQ(RelativeFileName("/VMS/Test/disk.vmdk", "/vms/test/"), "disk.vmdk");
    EXPECT_EQ(RelativeFileName("/vms/test/sub/disk.vmdk", "/vms/test/"), "/vms/test/sub/disk.vmdk");
    EXPECT_EQ(RelativeFileName("/other/disk.vmdk", "/vms/test/"), "/other/disk.vmdk");
    EXPECT_EQ(RelativeFileName("disk.vmdk", "/vms/test/"), "disk.vmdk");
    EXPECT_EQ(RelativeFileName("/disk.vmdk", "/"), "disk.vmdk");
}

} // namespace
} // namespace zentravolix::vmx
