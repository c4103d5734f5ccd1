// SPDX-License-Identifier: MIT
#pragma once

#include "config/FieldDecision.h"
#include "config/ProductTables.h"
#include "editor/widget/ConfigNames.h"
#include "editor/widget/UiText.h"

#include <tarvonel/Enums.h>

#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <utility>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace tarvonel {
class VirtualMachine;
}

namespace zentravolix::editor {

struct EditorContext;

/**
 * What a device page asks of the editor around it. Every member may be left empty (tests build a
 * page on its own); the page then falls back to a neutral value.
 */
struct DevicePageHooks {
    /** Limits of the chosen product version (memory maximum, 3D option). */
    std::function<EditorLimits()> limits;
    /** Folder of the configuration file being edited ("" for a new, unsaved one). */
    std::function<QString()> vmxFolder;
    /**
     * Creates a new virtual disk for a disk on bus "IDE", "SCSI", "SATA" or "NVMe" and returns its
     * path; "" when the user cancelled. Empty: the page's "Create New" button stays disabled.
     * madeFor receives the bus the disk was made for when the user chose SATA or NVMe (its
     * descriptor names the SCSI adapter, which does not tell), else it is left as it is.
     */
    std::function<QString(const std::string& busType, std::string& madeFor)> createDisk;
    /** Rebuilds the whole hardware list (a change touched rows other than the selected one). */
    std::function<void()> rebuildList;
    /**
     * The value of a line kept from the read file under this key (lower case, "scsi0.virtualdev")
     * that the model does not hold because the page's list does not know it ("pvscsi"). Save
     * writes that line unchanged. Empty or nothing: no such line.
     */
    std::function<std::optional<std::string>(const std::string& lowerKey)> keptValue;
    /** The user chose a value for this key: the kept line gives way to the model's own value. */
    std::function<void(const std::string& lowerKey)> dropKept;
};

/**
 * Base of the device pages, one per device kind. load() fills the controls from one device of the page's kind
 * without writing the model or reporting anything; every user edit fetches the device again by
 * its ID, writes the model at once and reports the edit through edited(). Handlers are connected
 * to user signals (clicked, activated, editingFinished) and also check m_loading.
 */
class DevicePage : public QWidget {
    Q_OBJECT
public:
    DevicePage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context, DevicePageHooks hooks,
               QWidget* parent = nullptr);

    /** The device kind this page shows (its tab in the hardware tab). */
    virtual tarvonel::VirtualHardwareType deviceType() const = 0;
    /** Fills every control from the device with this ID; a missing device leaves the page empty. */
    void load(const std::string& deviceId);
    /** Re-applies every caption from the text table in the current language. */
    virtual void updateUILabels() = 0;

    /** ID of the device shown; "" before the first load. */
    const std::string& deviceId() const { return m_deviceId; }

signals:
    /** A control wrote the model; rowChanged: the selected list row must be rewritten. */
    void edited(bool rowChanged);

protected:
    /** Fills the controls from the device m_deviceId; called by load() inside a LoadScope. */
    virtual void fill() = 0;

    /** Reports an edit, except while the page is being filled. */
    void markEdited(bool rowChanged = false);

    /**
     * Field check of a text box before its value is written. The one place for per-field input
     * rules: return false (after telling the user) to keep the focus in the box and write nothing.
     */
    virtual bool validateField(QLineEdit* box, const QString& value);

    /** A check box whose click writes set(checked). */
    template <class Set>
    void bindCheck(QCheckBox* box, bool rowChanged, Set set);
    /** An option button whose click runs set() (writes the model, enables controls). */
    template <class Set>
    void bindOption(QRadioButton* option, bool rowChanged, Set set);
    /** A drop-down list whose user choice writes set(list position). */
    template <class Set>
    void bindCombo(QComboBox* combo, bool rowChanged, Set set);
    /** A drop-down list whose user choice writes set(entry text). */
    template <class Set>
    void bindComboText(QComboBox* combo, bool rowChanged, Set set);
    /**
     * A text box written on leaving it: empty text writes nothing; validateField() may refuse the
     * value (the box keeps the focus); otherwise set(text) runs. set returns false when it did not
     * write (e.g. the matching option button is off).
     */
    template <class Set>
    void bindText(QLineEdit* box, bool rowChanged, Set set);

    /**
     * Turns each option button of a group on or off as given. Unlike setChecked() on exclusive
     * buttons this can show none of them, for a stored value the page does not know.
     */
    static void showOptions(std::initializer_list<std::pair<QRadioButton*, bool>> options);
    static void showComboIndex(QComboBox* combo, int index);
    /** Positions a list on the first entry equal to name ignoring case; none when no entry is. */
    static void showComboText(QComboBox* combo, const std::string& name);
    /**
     * Shows a list whose position is the stored value, unless the file holds a value for lowerKey
     * the list does not know: that value is then shown as an extra, disabled last entry, so the
     * page never claims another value than Save writes.
     */
    void showComboKept(QComboBox* combo, const std::string& lowerKey, int index);
    /**
     * The user picked position `index` of a list shown with showComboKept: false for the extra
     * entry (nothing to store); otherwise the kept line gives way, and true.
     */
    bool takeComboKept(QComboBox* combo, const std::string& lowerKey, int index);
    /** Refills a list, keeping its selected text when still offered, without reporting anything. */
    void refillCombo(QComboBox* combo, const QStringList& entries);
    static QStringList toStringList(const std::vector<std::string>& entries);

    /**
     * Lets the user pick an image or output file and puts it into box, whose write then runs as
     * when the user leaves the box. startFolder "" starts in the settings' image folder. accept,
     * when given, checks the chosen file first: false (after telling the user why) leaves the box
     * and the model as they were. Returns whether a file was taken.
     */
    bool browseInto(QLineEdit* box, int titleId, const QString& filter, const QString& startFolder = {},
                    const std::function<bool(const QString&)>& accept = {});
    /** Puts value into a box bound with bindText and runs its write as when the user leaves it. */
    bool enterText(QLineEdit* box, const QString& value);
    /** The program's image folder from the settings ("" when none is set). */
    QString imageFolder() const;

    /**
     * Refills a node list from the controllers' GetAvailableNodes of bus "IDE", "SCSI", "SATA" or "NVMe" and
     * selects the entry of controller:node (none when the device is not on that node). A model
     * that cannot list its nodes (a device names a node outside its controller) leaves the list
     * empty.
     */
    void fillNodeList(QComboBox* list, const std::string& busType, std::int32_t controller, std::int32_t node);
    /**
     * Whether a disk or CD-ROM page offers the bus: IDE and SCSI always; SATA and NVMe where the
     * chosen version has them or the machine has such a controller; any bus the device sits on.
     */
    bool busOffered(const std::string& busType, const std::string& deviceBus) const;
    /** Wires a node list to nodeChosen(). */
    void bindNodeList(QComboBox* list, const std::string& busType);
    /** Wires a bus option button ("IDE" or "SCSI") to busChosen(). */
    void bindBusOption(QRadioButton* option, const std::string& busType);
    /**
     * A bus button was clicked: the device moves to a node of that bus (its own controller:node
     * when free there, else the first free one) and its row shows the new node; with no free node
     * on that bus the message says so and the device stays on its old bus. The page is filled
     * again from the model, so the buttons and lists show where the device really is.
     */
    void busChosen(const std::string& busType);
    /**
     * The one place where a node chosen by the user is handled: the device takes the node, a
     * device holding it is moved to the first free node, a refused choice says why. The page is
     * filled again from the model afterwards, so the lists show what the model holds.
     */
    virtual void nodeChosen(QComboBox* list, const std::string& busType, int index);
    /**
     * Gives the shown device the first free node when it has none (after its drive, image, file
     * or host device was entered), with the "No available nodes" messages. Returns whether it got one.
     */
    bool assignAutomaticNode();
    /** Shows a field or node rule's message through the program's dialogs. */
    void showRuleMessage(const RuleMessage& message);

    std::shared_ptr<tarvonel::VirtualMachine> m_vm;
    EditorContext& m_context;
    DevicePageHooks m_hooks;
    std::string m_deviceId;
    bool m_loading = false;

    /** Sets m_loading for the lifetime of a fill. */
    class LoadScope {
    public:
        explicit LoadScope(DevicePage& page) : m_page(page), m_previous(page.m_loading) { page.m_loading = true; }
        ~LoadScope() { m_page.m_loading = m_previous; }
        LoadScope(const LoadScope&) = delete;
        LoadScope& operator=(const LoadScope&) = delete;

    private:
        DevicePage& m_page;
        bool m_previous;
    };

    /**
     * The device m_deviceId from a collection of the page's kind; null when none is shown or it
     * is no longer there (a handler then does nothing).
     */
    template <class Coll>
    auto findDevice(const std::shared_ptr<Coll>& collection) const -> decltype(collection->Item());

    /** Leaving a box whose value was refused, unchanged, checks it again (the focus rule). */
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /** Runs the write of a text box bound with bindText; false when the value was refused. */
    bool commitText(QLineEdit* box);

    /**
     * The box whose value the last check refused, and whether the user typed in it since. The
     * toolkit ends an editing on leaving only when the text changed, so the filter runs the
     * check for a refused text left as it was.
     */
    QLineEdit* m_refusedBox = nullptr;
    bool m_typedSinceRefusal = false;

    std::vector<std::pair<QLineEdit*, std::function<bool()>>> m_textCommits;
    /** The box whose text is being committed: a message shown meanwhile moves the focus, and the
     *  box's second editingFinished must not commit (and ask) again. */
    QLineEdit* m_committing = nullptr;
};

} // namespace zentravolix::editor

#include "editor/widget/pages/devices/DevicePage.inl"
