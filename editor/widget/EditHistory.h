// SPDX-License-Identifier: MIT
#pragma once

#include "config/ConfigSession.h"

#include <QObject>

#include <functional>
#include <memory>

class QUndoStack;
class QWidget;

namespace zentravolix::editor {

/**
 * The undo and redo of one editor. Every edit becomes one step holding the configuration's state
 * before and after it (ConfigSession::EditState: a copy of the model, the kept lines, limits and
 * name check), so one command type serves a typed value, a device added with its node and a
 * device moved with the one it displaced alike. A step is recorded only when the state changed,
 * so an edit a rule refused leaves no step. Undo and redo put a whole state back and let the
 * editor show it again.
 *
 * Steps coming from one text box, slider or spin box while it keeps the focus (typing, dragging)
 * join into one step; leaving the control, undo, redo and a save end such a run.
 */
class EditHistory final : public QObject {
    Q_OBJECT
public:
    using State = config::ConfigSession::EditState;

    /** capture takes the state now; restore puts a state back and shows it. */
    EditHistory(std::function<State()> capture, std::function<void(const State&)> restore,
                QObject* parent = nullptr);
    ~EditHistory() override;

    /** The steps; the host puts it into its undo group for the menu's Undo and Redo. */
    QUndoStack* stack() const { return m_stack; }

    /** Forgets every step and starts from the state now, which counts as saved. */
    void reset();
    /**
     * An edit was made: a new step when the state differs from the last one recorded (or joined
     * to the last step, see mergeSource). mergeSource is the control whose continuous input this
     * is, or null; see continuousInput(). Returns whether the state had changed.
     */
    bool record(const QObject* mergeSource = nullptr);
    /**
     * A handler finished an edit after reporting it (it set the name check last): the last
     * recorded state takes those parts too, so undo and redo bring them back with the rest.
     */
    void completeLastStep();
    /** The state now was saved: undoing back to it is undoing to the saved file. */
    void markSaved();

    /** The control itself when typing or dragging in it can join into one step, else null. */
    static const QObject* continuousInput(const QWidget* focus);

private:
    class StateCommand;
    /** Puts a recorded state back (undo or redo of a step). */
    void apply(const std::shared_ptr<State>& state);
    void endRun() { ++m_run; }

    std::function<State()> m_capture;
    std::function<void(const State&)> m_restore;
    QUndoStack* m_stack;
    /** The state the model is in, as last recorded or put back. */
    std::shared_ptr<State> m_current;
    /** Counts focus changes, undos, redos and saves: steps of one run share the count. */
    quint64 m_run = 0;
    bool m_applying = false;
};

} // namespace zentravolix::editor
