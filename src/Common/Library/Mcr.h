#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Common/Library/Cmd.h"

namespace orvel {

// The group command: an ordered list of sub-commands run as one undo step, and the base of the
// application's macro-recordable commands. Subclasses build the children in Prepare (one step per
// affected object, in the order in which they must be applied) and repaint in Refresh.
// The group shares ownership of its children. Execution and undo both run the children first to
// last through the drivers, so a child in the wrong state raises SeriousError.
class Mcr : public Cmd {
public:
    explicit Mcr(std::u16string name);

    // Appends a step; an empty pointer raises SeriousError.
    void AddChild(std::shared_ptr<Cmd> child);
    const std::vector<std::shared_ptr<Cmd>>& GetChildren() const { return m_children; }

protected:
    // Runs the children first to last by ExecuteCmd, then refreshes.
    void DoExecute() override;
    // Keeps only the valid children, in order; the group stays valid only if one remains, so a
    // group without effect is never recorded.
    void Finish() override;
    // Undoes the children first to last (the order of execution, not reversed) by UndoCmd, then
    // refreshes.
    void DoUndo() override;
    // Repaints what the group changed; nothing here.
    virtual void Refresh() {}

private:
    std::vector<std::shared_ptr<Cmd>> m_children;
};

}  // namespace orvel
