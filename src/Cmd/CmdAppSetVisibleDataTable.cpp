#include "Cmd/CmdAppSetVisibleDataTable.h"

#include "App/AppCh.h"
#include "Common/Library/SeriousError.h"

namespace ovgApp {

CmdAppSetVisibleDataTable::CmdAppSetVisibleDataTable(std::shared_ptr<AppCh> channel, bool visible)
    : Cmd(u"CmdAppSetVisibleDataTable"), m_channel(std::move(channel)), m_new(visible)
{
    if (!m_channel) ORVEL_SERIOUS_ERROR("no channel");
}

void CmdAppSetVisibleDataTable::Prepare()
{
    m_old = m_channel->IsVisibleInTable();
    if (m_old == m_new) SetEnabled(false);
}

void CmdAppSetVisibleDataTable::DoExecute()
{
    m_channel->SetVisibleInTable(m_new);
}

void CmdAppSetVisibleDataTable::DoUndo()
{
    m_channel->SetVisibleInTable(m_old);
}

}  // namespace ovgApp
