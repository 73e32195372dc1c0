#pragma once

#include <cstdint>
#include <list>
#include <memory>

#include "Common/Library/Cmd.h"

namespace ovgApp {

// The undo history of one document: the recorded commands, oldest first, and a cursor. Entries
// before the cursor are done; the entry at the cursor and those after it are undone and can be
// redone. The history shares ownership of its entries and keeps at most kLimit of them.
// User-interface thread only. Driver errors (SeriousError) propagate and leave the history as it
// was.
class CmdHistory {
public:
    static constexpr uint32_t kLimit = 100;

    CmdHistory();
    CmdHistory(const CmdHistory&) = delete;
    CmdHistory& operator=(const CmdHistory&) = delete;

    // Executes cmd first when execute is true, then records it. A command that is not valid
    // afterwards is dropped and the history, redo entries included, stays as it was. Recording
    // discards the redo entries and, past kLimit, the oldest entries. An empty cmd raises
    // SeriousError.
    void Add(bool execute, std::shared_ptr<orvel::Cmd> cmd);
    // Undoes the entry before the cursor and returns it; empty when there is nothing to undo.
    std::shared_ptr<orvel::Cmd> Undo();
    // Executes the entry at the cursor again and returns it; empty when there is nothing to redo.
    std::shared_ptr<orvel::Cmd> Redo();
    bool CanUndo() const;
    bool CanRedo() const;
    // Removes every entry; savedPosition goes back to 0.
    void Clear();
    // The number of entries before the cursor.
    uint32_t DoneCount() const;

    // DoneCount at the last save of the graph document; the document is modified while the two
    // differ. Recording lowers it by one for each oldest entry the limit removes (down to 0), and
    // sets it to 0 when discarding the redo entries leaves fewer entries than it counts.
    uint32_t GetSavedPosition() const { return m_savedPosition; }
    void SetSavedPosition(uint32_t position) { m_savedPosition = position; }

private:
    using Entries = std::list<std::shared_ptr<orvel::Cmd>>;

    Entries m_entries;
    Entries::iterator m_cursor;
    uint32_t m_savedPosition = 0;
};

}  // namespace ovgApp
