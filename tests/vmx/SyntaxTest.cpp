// SPDX-License-Identifier: MIT
#include "vmx/VmxSyntax.h"

#include <gtest/gtest.h>

#include <limits>

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
