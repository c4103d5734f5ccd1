// SPDX-License-Identifier: MIT
#pragma once

// A device page built on its own over a fresh machine with the new-machine defaults
// (Workstation 5.5x), as the hardware tab would build it.

#include "config/ConfigSession.h"
#include "editor/widget/ConfigNames.h"
#include "editor/widget/EditorContext.h"
#include "editor/widget/pages/devices/DevicePage.h"
#include "platform/Settings.h"
#include "platform/TextTable.h"
#include "support/RecordingDialogs.h"

#include <tarvonel/tarvonel.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <vector>

namespace zentravolix::testing {

class DevicePageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetLanguageOffset(0);
        context.dialogs = &dialogs;
        context.settings = &settings;
        config::ConfigSession session("/tmp/");
        session.StartNew("Test", "/vms/test/");
        vm = session.Machine();
    }
    void TearDown() override { platform::SetLanguageOffset(0); }

    /** Builds a page, records its edits and shows the device with this ID. */
    template <class Page>
    std::unique_ptr<Page> makePage(const std::string& id, editor::DevicePageHooks hooks = {})
    {
        auto page = std::make_unique<Page>(vm, context, std::move(hooks));
        QObject::connect(page.get(), &editor::DevicePage::edited,
                         [this](bool rowChanged) { edits.push_back(rowChanged); });
        page->updateUILabels();
        page->load(id);
        return page;
    }

    template <class W>
    static W* child(const QWidget& parent, const char* name)
    {
        W* w = parent.findChild<W*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << "no control named " << name;
        return w;
    }

    /** Types text into a box and leaves it. */
    static void leave(QLineEdit* box, const QString& text)
    {
        box->setText(text);
        emit box->editingFinished();
    }

    /** Chooses a list entry as the user does. */
    static void choose(QComboBox* combo, int index)
    {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    static QStringList entries(const QComboBox* combo)
    {
        QStringList list;
        for (int i = 0; i < combo->count(); ++i)
            list << combo->itemText(i);
        return list;
    }

    /** A list of expected texts written as plain literals. */
    static QStringList texts(std::initializer_list<const char*> items)
    {
        QStringList list;
        for (const char* item : items)
            list << QString::fromUtf8(item);
        return list;
    }

    /** Switches the product, as choosing it on the general page does. */
    void setProduct(std::int16_t platform, std::int16_t version)
    {
        auto general = vm->Options()->GeneralOptions();
        general->SetTargetPlatform(platform);
        general->SetPlatformVersion(version);
    }

    std::shared_ptr<tarvonel::clsHardware> hw() const { return vm->Hardware(); }

    RecordingDialogs dialogs;
    platform::ProgramSettings settings;
    editor::EditorContext context;
    std::shared_ptr<tarvonel::VirtualMachine> vm;
    /** rowChanged of every edit reported, in order. */
    std::vector<bool> edits;
};

} // namespace zentravolix::testing
