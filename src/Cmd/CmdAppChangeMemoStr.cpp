#include "Cmd/CmdAppChangeMemoStr.h"

#include "App/AppDocument.h"

namespace ovgApp {

CmdAppChangeMemoStr::CmdAppChangeMemoStr(AppContext context, QString memo)
    : Cmd(u"CmdAppChangeMemoStr"), m_context(context), m_new(std::move(memo))
{
}

void CmdAppChangeMemoStr::Prepare()
{
    m_old = m_context.document.GetMemo();
    if (m_old == m_new) SetEnabled(false);
}

void CmdAppChangeMemoStr::DoExecute()
{
    m_context.document.SetMemo(m_new);
}

void CmdAppChangeMemoStr::DoUndo()
{
    m_context.document.SetMemo(m_old);
}

}  // namespace ovgApp
