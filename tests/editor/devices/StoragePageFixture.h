// SPDX-License-Identifier: MIT
#pragma once

// The disk, CD-ROM, floppy, generic SCSI and controller pages: the common device page fixture
// under its own name, so their results are grouped apart.

#include "DevicePageFixture.h"

namespace zentravolix::testing {

class StoragePageTest : public DevicePageTest {};

} // namespace zentravolix::testing
