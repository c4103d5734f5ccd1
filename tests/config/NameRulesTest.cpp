// SPDX-License-Identifier: MIT
// The rules of the file-name, folder and working-folder fields.
#include "config/NameRules.h"

#include <gtest/gtest.h>

using namespace zentravolix::config;

TEST(NameRules, FileNameGetsVmxAppendedOnlyWhenItLacksTheExactSuffix)
{
    EXPECT_EQ(NormalizeVmxFileName("test"), "test.vmx");
    EXPECT_EQ(NormalizeVmxFileName("test.vmx"), "test.vmx");
    // The suffix test is case-sensitive, as VMware's own file names are.
    EXPECT_EQ(NormalizeVmxFileName("TEST.VMX"), "TEST.VMX.vmx");
    EXPECT_EQ(NormalizeVmxFileName(""), "");
}

TEST(NameRules, FoldersEndInTheSeparatorExceptTheMachinesOwnFolder)
{
    EXPECT_EQ(NormalizeVmxFolder("/vms/a"), "/vms/a/");
    EXPECT_EQ(NormalizeVmxFolder("/vms/a/"), "/vms/a/");
    EXPECT_EQ(NormalizeVmxFolder(""), "");
    EXPECT_EQ(NormalizeWorkingDir("."), ".");
    EXPECT_EQ(NormalizeWorkingDir("work"), "work/");
    EXPECT_EQ(NormalizeWorkingDir(""), "");
}
