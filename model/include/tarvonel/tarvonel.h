// SPDX-License-Identifier: MIT
#pragma once

// Everything of the Tarvonel object model in one include.

#include <tarvonel/Error.h>
#include <tarvonel/Enums.h>
#include <tarvonel/Collection.h>
#include <tarvonel/CollectionItem.h>
#include <tarvonel/OptionObject.h>
#include <tarvonel/VirtualMachine.h>
#include <tarvonel/clsHardware.h>
#include <tarvonel/clsOptions.h>

// Devices
#include <tarvonel/AttachmentInfo.h>
#include <tarvonel/ResourceAllocation.h>
#include <tarvonel/clsCPU.h>
#include <tarvonel/clsMemory.h>
#include <tarvonel/clsFloppy.h>
#include <tarvonel/clsParPort.h>
#include <tarvonel/clsSerPort.h>
#include <tarvonel/clsAudioDevice.h>
#include <tarvonel/clsNIC.h>
#include <tarvonel/clsUSBController.h>
#include <tarvonel/clsIDEController.h>
#include <tarvonel/clsSCSIController.h>
#include <tarvonel/clsHardDisk.h>
#include <tarvonel/clsCDRom.h>
#include <tarvonel/clsGenSCSI.h>
#include <tarvonel/clsDisplay.h>
#include <tarvonel/clsMouse.h>
#include <tarvonel/clsSATAController.h>
#include <tarvonel/clsNVMeController.h>

// Options
#include <tarvonel/GuestOSVer.h>
#include <tarvonel/clsGeneral.h>
#include <tarvonel/clsPower.h>
#include <tarvonel/clsSnapshots.h>
#include <tarvonel/clsIsolation.h>
#include <tarvonel/clsAdvanced.h>
#include <tarvonel/SharedFoldersInfo.h>
#include <tarvonel/clsSharedFolder.h>

// Products
#include <tarvonel/ProductCatalog.h>
