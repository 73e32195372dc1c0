#pragma once

#include <concepts>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>

namespace orvel {

class Cmd;

// The drivers. Every execution and undo of a command goes through them, never through the
// virtual slots directly, so that the state checks and the one-time hooks hold.
//
// ExecuteCmd: the first execution runs Prepare, DoExecute (only while IsValid) and Finish; a later
// one (redo) runs DoExecute alone, again only while IsValid. The command is then done.
// Raises SeriousError ("src/Common/Library/Cmd.h", line 84) when the command is already done;
// nothing is called or changed then.
void ExecuteCmd(Cmd& cmd);

// UndoCmd: runs DoUndo, valid or not, and marks the command not done.
// Raises SeriousError ("src/Common/Library/Cmd.h", line 117) when the command is not done;
// nothing is called or changed then.
void UndoCmd(Cmd& cmd);

// Executes the commands of [first, last) in order, each by ExecuteCmd. Stops at the first error,
// leaving the commands before it done.
template <std::input_iterator Iterator>
    requires std::convertible_to<std::iter_reference_t<Iterator>, const std::shared_ptr<Cmd>&>
void ExecuteCmds(Iterator first, Iterator last)
{
    for (; first != last; ++first) {
        const std::shared_ptr<Cmd>& cmd = *first;
        ExecuteCmd(*cmd);
    }
}

// One undoable change. Commands are owned through shared pointers (the history and the group
// commands hold them) and are used from the user-interface thread only.
class Cmd {
public:
    enum State : int32_t {
        kNeither = 0,  // recorded after a live change: passes both the execute and the undo check
        kDone = 1,
        kNotDone = 2,
    };

    virtual ~Cmd() = default;
    Cmd(const Cmd&) = delete;
    Cmd& operator=(const Cmd&) = delete;

    // Identifies the command: its class name, or "<group class>_<step>" for a step of a group.
    const std::u16string& GetName() const { return m_name; }
    State GetState() const { return m_state; }
    // True once the first execution has run Prepare and Finish.
    bool IsPrepared() const { return m_prepared; }

    // Whether the command has an effect. A command that is not valid is not executed and is never
    // recorded in a history. By default: the enabled flag, which Prepare may clear.
    virtual bool IsValid() const { return m_enabled; }

protected:
    // Commands start not done, enabled and not prepared; a command built after a live change
    // passes kNeither (or kDone) so that it can be undone without being executed first.
    explicit Cmd(std::u16string name, State state = kNotDone, bool enabled = true)
        : m_name(std::move(name)), m_state(state), m_enabled(enabled)
    {
    }

    // One-time hook before the first execution: captures the undo data and clears enabled when
    // the change would change nothing.
    virtual void Prepare() {}
    // Applies the change: the first execution and every redo.
    virtual void DoExecute() {}
    // One-time hook after the first execution.
    virtual void Finish() {}
    // Reverts the change with the data captured by Prepare.
    virtual void DoUndo() {}

    bool IsEnabled() const { return m_enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }

private:
    friend void ExecuteCmd(Cmd& cmd);
    friend void UndoCmd(Cmd& cmd);

    std::u16string m_name;
    State m_state;
    bool m_prepared = false;
    bool m_enabled;
};

}  // namespace orvel
