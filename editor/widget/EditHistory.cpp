// SPDX-License-Identifier: MIT
#include "editor/widget/EditHistory.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QUndoCommand>
#include <QUndoStack>

#include <utility>

namespace zentravolix::editor {

namespace {
/** The id of steps that may join: those of one control's continuous input. */
constexpr int kInputRun = 1;
} // namespace

/** One step: the whole state before and after an edit. */
class EditHistory::StateCommand final : public QUndoCommand {
public:
    StateCommand(EditHistory& history, std::shared_ptr<State> before, std::shared_ptr<State> after,
                 const QObject* source, quint64 run)
        : m_history(history), m_before(std::move(before)), m_after(std::move(after)), m_source(source),
          m_run(run)
    {
    }

    int id() const override { return m_source ? kInputRun : -1; }

    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* next = static_cast<const StateCommand*>(other);
        if (next->m_source != m_source || next->m_run != m_run)
            return false;
        m_after = next->m_after;
        // Typing a text and deleting it again leaves nothing to undo: the stack drops the step.
        setObsolete(*m_before == *m_after);
        return true;
    }

    void undo() override { m_history.apply(m_before); }

    void redo() override
    {
        // Pushing the step runs redo once, after the edit itself was made.
        if (m_pushed)
            m_history.apply(m_after);
        m_pushed = true;
    }

private:
    EditHistory& m_history;
    std::shared_ptr<State> m_before;
    std::shared_ptr<State> m_after;
    const QObject* m_source;
    quint64 m_run;
    bool m_pushed = false;
};

EditHistory::EditHistory(std::function<State()> capture, std::function<void(const State&)> restore,
                         QObject* parent)
    : QObject(parent), m_capture(std::move(capture)), m_restore(std::move(restore)),
      m_stack(new QUndoStack(this))
{
    m_stack->setObjectName(QStringLiteral("undoStack"));
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
        connect(app, &QApplication::focusChanged, this, [this] { endRun(); });
}

EditHistory::~EditHistory()
{
    // The steps call back into this object, so they go before its members do; and the editor
    // around is being destroyed, so the emptied stack tells nobody it changed.
    m_stack->blockSignals(true);
    delete m_stack;
}

void EditHistory::reset()
{
    m_stack->clear();
    m_current = std::make_shared<State>(m_capture());
    m_stack->setClean();
    endRun();
}

bool EditHistory::record(const QObject* mergeSource)
{
    if (m_applying)
        return false;
    auto now = std::make_shared<State>(m_capture());
    if (!m_current) {
        m_current = std::move(now);
        return false;
    }
    if (*now == *m_current)
        return false;
    auto before = std::exchange(m_current, now);
    m_stack->push(new StateCommand(*this, std::move(before), std::move(now), mergeSource, m_run));
    return true;
}

void EditHistory::completeLastStep()
{
    if (m_applying || !m_current)
        return;
    // The object is shared with the last step as its after-state and the next one's before-state.
    *m_current = m_capture();
}

void EditHistory::markSaved()
{
    m_stack->setClean();
    endRun();
}

void EditHistory::apply(const std::shared_ptr<State>& state)
{
    m_applying = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{m_applying};
    m_current = state;
    endRun();
    m_restore(*state);
}

const QObject* EditHistory::continuousInput(const QWidget* focus)
{
    if (qobject_cast<const QPlainTextEdit*>(focus) || qobject_cast<const QTextEdit*>(focus) ||
        qobject_cast<const QAbstractSlider*>(focus) || qobject_cast<const QAbstractSpinBox*>(focus))
        return focus;
    return nullptr;
}

} // namespace zentravolix::editor
