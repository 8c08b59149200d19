#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <utility>

namespace tavelo {

// A history of changes to a state: each step keeps the state before and
// after it, so undoing puts back exactly what was there. A step pushed with
// the merge key of the step on top (typing in one field, one drag) extends
// that step instead. The oldest steps are forgotten once there are more than
// `maxSteps` or the states they keep take more than `maxBytes`; the newest
// step is always kept.
template <typename State>
class History {
public:
    struct Step {
        std::string name;
        State before;
        State after;
        bool plots = false;   // the change drew the plot, and so do its undo and redo
        std::string mergeKey; // empty: never merged
        std::size_t bytes = 0; // set by the history
    };

    // How many bytes a step's two states take, counting what they share with
    // other steps as the caller sees fit.
    using StepBytes = std::function<std::size_t(const Step&)>;

    History(std::size_t maxSteps, std::size_t maxBytes, StepBytes stepBytes)
        : m_maxSteps(maxSteps)
        , m_maxBytes(maxBytes)
        , m_stepBytes(std::move(stepBytes))
    {
    }

    // Records a change made. Steps that were undone are gone.
    void push(Step step)
    {
        while (m_steps.size() > m_done) {
            m_bytes -= m_steps.back().bytes;
            m_steps.pop_back();
        }
        if (isOpen(step.mergeKey) && !step.mergeKey.empty()) {
            Step& top = m_steps.back();
            top.after = std::move(step.after);
            top.plots = top.plots || step.plots;
            m_bytes -= top.bytes;
            top.bytes = m_stepBytes(top);
            m_bytes += top.bytes;
        } else {
            step.bytes = m_stepBytes(step);
            m_bytes += step.bytes;
            m_steps.push_back(std::move(step));
            ++m_done;
        }
        m_closed = false;
        forgetOldest();
    }

    // The step on top takes no more merges: the field lost the focus, a plot began.
    void close() { m_closed = true; }
    bool isOpen(const std::string& mergeKey) const
    {
        return !m_closed && m_done > 0 && m_done == m_steps.size() && m_steps.back().mergeKey == mergeKey;
    }

    bool canUndo() const { return m_done > 0; }
    bool canRedo() const { return m_done < m_steps.size(); }
    const Step* nextUndo() const { return canUndo() ? &m_steps[m_done - 1] : nullptr; }
    const Step* nextRedo() const { return canRedo() ? &m_steps[m_done] : nullptr; }

    // Moves back over the step on top and returns it; the caller puts back its `before`.
    const Step* undo()
    {
        if (!canUndo())
            return nullptr;
        m_closed = true;
        return &m_steps[--m_done];
    }
    // Moves forward over the next undone step; the caller puts back its `after`.
    const Step* redo()
    {
        if (!canRedo())
            return nullptr;
        m_closed = true;
        return &m_steps[m_done++];
    }

    std::size_t size() const { return m_steps.size(); }
    std::size_t bytes() const { return m_bytes; }

private:
    void forgetOldest()
    {
        while (m_steps.size() > 1 && (m_steps.size() > m_maxSteps || m_bytes > m_maxBytes)) {
            m_bytes -= m_steps.front().bytes;
            m_steps.pop_front();
            if (m_done > 0)
                --m_done;
        }
    }

    std::size_t m_maxSteps;
    std::size_t m_maxBytes;
    StepBytes m_stepBytes;
    std::deque<Step> m_steps;
    std::size_t m_bytes = 0;
    std::size_t m_done = 0; // steps 0..m_done-1 are done, the rest undone
    bool m_closed = true;
};

} // namespace tavelo
