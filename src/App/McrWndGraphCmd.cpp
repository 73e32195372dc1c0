#include "App/McrWndGraphCmd.h"

#include <algorithm>

namespace ovgApp {

McrWndGraphCmd::McrWndGraphCmd(const std::vector<std::shared_ptr<orvel::Cmd>>& cmds, bool execute,
                               std::function<void()> refresh)
    : Mcr(u"McrWndGraphCmd"), m_execute(execute), m_refresh(std::move(refresh))
{
    // Validity is the children's; the group's own flag plays no part.
    SetEnabled(false);
    for (const std::shared_ptr<orvel::Cmd>& cmd : cmds) AddChild(cmd);
}

bool McrWndGraphCmd::IsValid() const
{
    const auto& children = GetChildren();
    return std::any_of(children.begin(), children.end(),
                       [](const std::shared_ptr<orvel::Cmd>& child) { return child->IsValid(); });
}

void McrWndGraphCmd::Prepare()
{
    m_skip = !m_execute;
}

void McrWndGraphCmd::DoExecute()
{
    if (m_skip) {
        m_skip = false;
        Refresh();
        return;
    }
    Mcr::DoExecute();
}

void McrWndGraphCmd::Refresh()
{
    if (m_refresh) m_refresh();
}

}  // namespace ovgApp
