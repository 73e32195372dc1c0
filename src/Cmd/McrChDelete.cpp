#include "Cmd/McrChDelete.h"

#include "Cmd/CmdAppDeleteCh.h"

namespace ovgApp {

McrChDelete::McrChDelete(AppContext context, std::vector<std::shared_ptr<AppCh>> channels)
    : Mcr(u"McrChDelete"), m_context(context), m_channels(std::move(channels))
{
}

void McrChDelete::Prepare()
{
    AddChild(std::make_shared<CmdAppDeleteCh>(m_context, m_channels));
}

}  // namespace ovgApp
