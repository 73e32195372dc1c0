#include "Common/Library/McrMacro.h"

namespace orvel {

McrMacro::McrMacro(std::u16string name) : Mcr(std::move(name)) {}

void McrMacro::Prepare()
{
    m_skip = true;
}

void McrMacro::DoExecute()
{
    if (m_skip) {
        m_skip = false;
        Refresh();
        return;
    }
    Mcr::DoExecute();
}

void McrMacro::DoUndo()
{
    const auto& children = GetChildren();
    for (auto child = children.rbegin(); child != children.rend(); ++child) UndoCmd(**child);
    Refresh();
}

}  // namespace orvel
