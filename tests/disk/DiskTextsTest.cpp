// SPDX-License-Identifier: MIT
// The disk library's messages are text ids with their details: filled from the text table they
// read as they always did in English, and as the table's row in every other language.
#include "disk/DiskText.h"
#include "platform/TextTable.h"

#include <gtest/gtest.h>

using namespace zentravolix;
using disk::DiskMessage;
using disk::DiskText;

namespace {

std::string Say(const DiskMessage& message, std::int32_t offset)
{
    return platform::FillTextFrom(platform::LoadCaption(disk::TextNumber(message.text), offset), message.args);
}

} // namespace

TEST(DiskTexts, EnglishAsBeforeAndEveryLanguageFromItsRow)
{
    struct Case {
        DiskMessage message;
        std::string english;
        std::string german;
        std::string italian;
    };
    const Case cases[] = {
        {{DiskText::NameHasDoubleQuote, {"/v/a\"b.vmdk"}},
         "the disk name contains a double quote (\"), which a descriptor cannot hold: /v/a\"b.vmdk",
         "der Festplattenname enthält ein doppeltes Anführungszeichen (\"), das ein Deskriptor nicht aufnehmen "
         "kann: /v/a\"b.vmdk",
         "il nome del disco contiene una virgoletta doppia (\"), che un descrittore non può contenere: "
         "/v/a\"b.vmdk"},
        {{DiskText::NameHasCarriageReturn, {"d"}},
         "the disk name contains a line break (carriage return), which a descriptor cannot hold: d",
         "der Festplattenname enthält einen Zeilenumbruch (Wagenrücklauf), den ein Deskriptor nicht aufnehmen "
         "kann: d",
         "il nome del disco contiene un a capo (ritorno carrello), che un descrittore non può contenere: d"},
        {{DiskText::NameHasLineBreak, {"d"}},
         "the disk name contains a line break, which a descriptor cannot hold: d",
         "der Festplattenname enthält einen Zeilenumbruch, den ein Deskriptor nicht aufnehmen kann: d",
         "il nome del disco contiene un a capo, che un descrittore non può contenere: d"},
        {{DiskText::CannotReadFile, {"No such file or directory: /x.vmdk"}},
         "cannot read the file: No such file or directory: /x.vmdk",
         "die Datei kann nicht gelesen werden: No such file or directory: /x.vmdk",
         "impossibile leggere il file: No such file or directory: /x.vmdk"},
        {{DiskText::MissingKey, {"CID"}}, "missing key CID", "der Schlüssel CID fehlt", "manca la chiave CID"},
        {{DiskText::NotANumber, {"RW"}}, "the value of RW is not a valid number",
         "der Wert von RW ist keine gültige Zahl", "il valore di RW non è un numero valido"},
        {{DiskText::UnknownCreateType, {"vmfs"}}, "unknown createType \"vmfs\"", "unbekannter createType \"vmfs\"",
         "createType \"vmfs\" sconosciuto"},
        {{DiskText::InvalidDiskSize, {"d.vmdk"}}, "invalid disk size: d.vmdk", "ungültige Festplattengröße: d.vmdk",
         "dimensione del disco non valida: d.vmdk"},
        {{DiskText::NoSectorsToCreate, {"d.vmdk"}}, "no sectors to create: d.vmdk",
         "keine Sektoren zu erstellen: d.vmdk", "nessun settore da creare: d.vmdk"},
        {{DiskText::QemuImgFailed, {"3", "d.vmdk"}}, "qemu-img failed (exit code 3) creating d.vmdk",
         "qemu-img ist fehlgeschlagen (Exit-Code 3) beim Erstellen von d.vmdk",
         "qemu-img non riuscito (codice di uscita 3) durante la creazione di d.vmdk"},
        {{DiskText::CannotStartTool, {"/usr/bin/qemu-img", "Permission denied"}},
         "cannot start /usr/bin/qemu-img: Permission denied",
         "/usr/bin/qemu-img kann nicht gestartet werden: Permission denied",
         "impossibile avviare /usr/bin/qemu-img: Permission denied"},
        {{DiskText::InvalidSizeOrBus, {"usb", "d.vmdk"}}, "invalid disk size or bus \"usb\": d.vmdk",
         "ungültige Festplattengröße oder ungültiger Bus \"usb\": d.vmdk",
         "dimensione del disco o bus \"usb\" non validi: d.vmdk"},
        {{DiskText::InfoDiskPath, {"/vms/"}}, "Disk Path: /vms/", "Festplattenpfad: /vms/",
         "Percorso del disco: /vms/"},
        {{DiskText::InfoDiskName, {"d.vmdk"}}, "Disk Name: d.vmdk", "Festplattenname: d.vmdk",
         "Nome del disco: d.vmdk"},
        {{DiskText::InfoDiskType, {"monolithicSparse", "0"}}, "Disk Type: monolithicSparse (0)",
         "Festplattentyp: monolithicSparse (0)", "Tipo di disco: monolithicSparse (0)"},
        {{DiskText::InfoAdapterType, {"ide"}}, "Adapter Type: ide", "Adaptertyp: ide", "Tipo di adattatore: ide"},
        {{DiskText::InfoSize, {"2048", "1 Mb"}}, "Size: 2048 sectors (1 Mb)", "Größe: 2048 Sektoren (1 Mb)",
         "Dimensione: 2048 settori (1 Mb)"},
        {{DiskText::InfoGeometry, {"1", "2", "3"}}, "Geometry: Cylinders 1, Heads 2, Sectors 3",
         "Geometrie: Zylinder 1, Köpfe 2, Sektoren 3", "Geometria: cilindri 1, testine 2, settori 3"},
        {{DiskText::InfoBiosGeometry, {"1", "2", "3"}}, "Bios Geometry: Cylinders 1, Heads 2, Sectors 3",
         "BIOS-Geometrie: Zylinder 1, Köpfe 2, Sektoren 3", "Geometria BIOS: cilindri 1, testine 2, settori 3"},
        {{DiskText::InfoHardwareVersion, {"4"}}, "Hardware Version: 4", "Hardwareversion: 4",
         "Versione hardware: 4"},
        {{DiskText::InfoCID, {"0a1b2c3d"}}, "CID: 0a1b2c3d", "CID: 0a1b2c3d", "CID: 0a1b2c3d"},
    };
    for (const Case& c : cases) {
        const int id = disk::TextNumber(c.message.text);
        SCOPED_TRACE(id);
        EXPECT_GE(id, platform::kOwnTextFirst);
        EXPECT_LE(id, platform::kOwnTextLast);
        EXPECT_EQ(Say(c.message, 0), c.english);
        EXPECT_EQ(Say(c.message, 500), c.german);
        EXPECT_EQ(Say(c.message, 2000), c.italian);
        // French and Spanish have rows of their own too.
        EXPECT_NE(platform::LoadTextById(id + 1000), "");
        EXPECT_NE(platform::LoadTextById(id + 1500), "");
    }
}
