#include "Common/Library/Mcr.h"

#include <algorithm>

#include "Common/Library/SeriousError.h"

namespace orvel {

Mcr::Mcr(std::u16string name) : Cmd(std::move(name)) {}

void Mcr::AddChild(std::shared_ptr<Cmd> child)
{
    if (!child) ORVEL_SERIOUS_ERROR();
    m_children.push_back(std::move(child));
}

void Mcr::DoExecute()
{
    ExecuteCmds(m_children.begin(), m_children.end());
    Refresh();
}

void Mcr::Finish()
{
    std::erase_if(m_children, [](const std::shared_ptr<Cmd>& child) { return !child->IsValid(); });
    SetEnabled(!m_children.empty());
}

void Mcr::DoUndo()
{
    for (const std::shared_ptr<Cmd>& child : m_children) UndoCmd(*child);
    Refresh();
}

}  // namespace orvel
