// SPDX-License-Identifier: MIT
#pragma once

#include "editor/widget/UiText.h"

#include <QString>
#include <QWidget>

#include <memory>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace tarvonel {
class VirtualMachine;
}

namespace zentravolix::editor {

struct EditorContext;

/**
 * Base of the option pages. A page fills its controls from the model in load() and writes
 * every user edit into the model at once, then reports it through edited(). Filling a page never
 * writes the model and never reports an edit: the handlers are connected to user signals
 * (clicked, activated, editingFinished) or check m_loading.
 */
class OptionPage : public QWidget {
    Q_OBJECT
public:
    OptionPage(std::shared_ptr<tarvonel::VirtualMachine> vm, EditorContext& context,
               QWidget* parent = nullptr);

    /** Fills every control from the model. */
    virtual void load() = 0;
    /** Re-applies every caption from the text table in the current language. */
    virtual void updateUILabels() = 0;

signals:
    /** A control wrote the model; summaryChanged: the options list's summaries must be refreshed. */
    void edited(bool summaryChanged);

protected:
    /** Reports an edit, except while the page is being filled. */
    void markEdited(bool summaryChanged = false);

    /** A tick that stands for True (direct) or for False (inverted, captions beginning "Disable"). */
    enum class Polarity {
        Direct,
        Inverted,
    };
    /** Wires a check box to a boolean member: the click writes set(ticked or not, by polarity). */
    template <class Set> void bindCheck(QCheckBox* box, Polarity polarity, bool summary, Set set);
    static void showCheck(QCheckBox* box, Polarity polarity, bool value);
    /** Wires a combo box whose list position is the model value. */
    template <class Set> void bindCombo(QComboBox* combo, bool summary, Set set);
    static void showComboIndex(QComboBox* combo, int index);
    /** Refills a combo box, keeping its selection, without reporting anything. */
    void refillCombo(QComboBox* combo, const QStringList& entries);

    /**
     * Runs a model write; when the model refuses it (throws), the page is filled again so the
     * controls keep showing the model, and the error goes on to the application's handler.
     */
    template <class F> void writeModel(F&& write);

    std::shared_ptr<tarvonel::VirtualMachine> m_vm;
    EditorContext& m_context;
    bool m_loading = false;

    /** Sets m_loading for the lifetime of a fill. */
    class LoadScope {
    public:
        explicit LoadScope(OptionPage& page) : m_page(page), m_previous(page.m_loading)
        {
            page.m_loading = true;
        }
        ~LoadScope() { m_page.m_loading = m_previous; }
        LoadScope(const LoadScope&) = delete;
        LoadScope& operator=(const LoadScope&) = delete;

    private:
        OptionPage& m_page;
        bool m_previous;
    };
};

} // namespace zentravolix::editor

#include "editor/widget/pages/options/OptionPage.inl"
