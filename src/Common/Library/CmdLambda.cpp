#include "Common/Library/CmdLambda.h"

#include "Common/Library/SeriousError.h"

namespace orvel {

CmdLambda::CmdLambda(std::u16string name, std::function<void()> doAction, std::function<void()> undoAction)
    : Cmd(std::move(name)), m_do(std::move(doAction)), m_undo(std::move(undoAction))
{
    if (!m_do || !m_undo) ORVEL_SERIOUS_ERROR();
}

void CmdLambda::DoExecute()
{
    m_do();
}

void CmdLambda::DoUndo()
{
    m_undo();
}

}  // namespace orvel
