// SPDX-License-Identifier: MIT
// The app tests run inside the program's own application object, so an exception thrown in an
// event handler meets the same catch point as in the program.
#include "app/ZentravolixApplication.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    zentravolix::app::ZentravolixApplication application(argc, argv);
    const int result = RUN_ALL_TESTS();
    application.setDialogs(nullptr);
    return result;
}
