#include "App/CmdHistory.h"

#include <QString>
#include <iterator>

#include "Common/Library/DebugLogger.h"
#include "Common/Library/SeriousError.h"

namespace ovgApp {
namespace {

QByteArray NameOf(const orvel::Cmd& cmd)
{
    return QString::fromStdU16String(cmd.GetName()).toUtf8();
}

}  // namespace

CmdHistory::CmdHistory() : m_cursor(m_entries.end()) {}

void CmdHistory::Add(bool execute, std::shared_ptr<orvel::Cmd> cmd)
{
    if (!cmd) ORVEL_SERIOUS_ERROR();
    if (execute) orvel::ExecuteCmd(*cmd);
    if (!cmd->IsValid()) {
        ORVEL_DEBUG_LOG("CmdHistory: dropped %s (no effect)\n", NameOf(*cmd).constData());
        return;
    }
    if (m_cursor != m_entries.end()) {
        m_entries.erase(m_cursor, m_entries.end());
        if (m_entries.size() < m_savedPosition) m_savedPosition = 0;
    }
    m_entries.push_back(std::move(cmd));
    while (m_entries.size() > kLimit) {
        m_entries.pop_front();
        if (m_savedPosition != 0) --m_savedPosition;
    }
    m_cursor = m_entries.end();
    ORVEL_DEBUG_LOG("CmdHistory: recorded %s, %zu entries\n", NameOf(*m_entries.back()).constData(),
                    m_entries.size());
}

std::shared_ptr<orvel::Cmd> CmdHistory::Undo()
{
    if (!CanUndo()) return {};
    // The cursor moves only once the undo has succeeded, so a failing check changes nothing.
    const Entries::iterator entry = std::prev(m_cursor);
    orvel::UndoCmd(**entry);
    m_cursor = entry;
    return *entry;
}

std::shared_ptr<orvel::Cmd> CmdHistory::Redo()
{
    if (!CanRedo()) return {};
    orvel::ExecuteCmd(**m_cursor);
    return *m_cursor++;
}

bool CmdHistory::CanUndo() const
{
    return !m_entries.empty() && m_cursor != m_entries.begin();
}

bool CmdHistory::CanRedo() const
{
    return !m_entries.empty() && m_cursor != m_entries.end();
}

void CmdHistory::Clear()
{
    m_entries.clear();
    m_cursor = m_entries.end();
    m_savedPosition = 0;
}

uint32_t CmdHistory::DoneCount() const
{
    return static_cast<uint32_t>(std::distance(m_entries.begin(), Entries::const_iterator(m_cursor)));
}

}  // namespace ovgApp
