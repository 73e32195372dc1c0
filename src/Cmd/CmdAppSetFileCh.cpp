#include "Cmd/CmdAppSetFileCh.h"

#include <limits>

#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "Common/Library/SeriousError.h"
#include "filelib/GCh.h"
#include "filelib/GChRawData.h"
#include "graph/Glyph.h"

namespace ovgApp {
namespace {

void RequireInDocument(const AppContext& context, const std::shared_ptr<AppCh>& channel)
{
    if (!channel || context.document.IndexOf(channel.get()) < 0) ORVEL_SERIOUS_ERROR("channel not in the document");
}

}  // namespace

CmdAppSetFileCh::CmdAppSetFileCh(std::u16string name, AppContext context, std::shared_ptr<AppCh> channel,
                                 std::shared_ptr<OvGraphFileLib::ICh> fileCh)
    : Cmd(std::move(name)), m_context(context), m_channel(std::move(channel)), m_new(std::move(fileCh))
{
}

std::shared_ptr<OvGraphFileLib::ICh> CmdAppSetFileCh::MakeFileCh(const OvGraphFileLib::ICh&) { return m_new; }

void CmdAppSetFileCh::Prepare()
{
    RequireInDocument(m_context, m_channel);
    m_old = m_channel->GetFileChPtr();
    m_new = MakeFileCh(*m_old);
    if (!m_new) SetEnabled(false);
}

void CmdAppSetFileCh::DoExecute() { m_channel->RebindFileCh(m_new); }

void CmdAppSetFileCh::DoUndo() { m_channel->RebindFileCh(m_old); }

CmdAppDeleteChData::CmdAppDeleteChData(AppContext context, std::shared_ptr<AppCh> channel, int64_t time, Direction direction)
    : CmdAppDeleteChData(context, std::move(channel), std::vector<Cut>{{time, direction}})
{
}

CmdAppDeleteChData::CmdAppDeleteChData(AppContext context, std::shared_ptr<AppCh> channel, std::vector<Cut> cuts)
    : CmdAppSetFileCh(u"CmdAppDeleteChData", context, std::move(channel)), m_cuts(std::move(cuts))
{
}

std::shared_ptr<OvGraphFileLib::ICh> CmdAppDeleteChData::MakeFileCh(const OvGraphFileLib::ICh& current)
{
    auto copy = std::make_shared<OvGraphFileLib::GCh>(current);
    // Counted from the records: a stored channel's declared count may differ from them.
    const auto records = [&copy] {
        int64_t total = 0;
        for (const auto& block : copy->RawDataBlocks()) total += block->GetCount();
        return total;
    };
    const int64_t before = records();
    for (const Cut& cut : m_cuts) {
        if (cut.direction == kBefore)
            copy->DeleteBefore(cut.time);
        else
            copy->DeleteAfter(cut.time);
    }
    return records() == before ? nullptr : copy;
}

CmdAppSetOffsetTime::CmdAppSetOffsetTime(AppContext context, std::shared_ptr<AppCh> channel, int64_t offset)
    : Cmd(u"CmdAppSetOffsetTime"), m_context(context), m_channel(std::move(channel)), m_offset(offset)
{
}

void CmdAppSetOffsetTime::Prepare()
{
    RequireInDocument(m_context, m_channel);
    if (m_offset == 0 || m_offset == std::numeric_limits<int64_t>::min()) {
        SetEnabled(false);
        return;
    }
    if (dynamic_cast<const OvGraphFileLib::GCh*>(&m_channel->GetFileCh())) return;
    m_original = m_channel->GetFileChPtr();
    auto shifted = std::make_shared<OvGraphFileLib::GCh>(*m_original);
    shifted->ShiftTime(m_offset);
    m_shifted = shifted;
}

void CmdAppSetOffsetTime::DoExecute()
{
    if (m_shifted)
        m_channel->RebindFileCh(m_shifted);
    else
        Shift(m_offset);
}

void CmdAppSetOffsetTime::DoUndo()
{
    if (m_original)
        m_channel->RebindFileCh(m_original);
    else
        Shift(-m_offset);
}

void CmdAppSetOffsetTime::Shift(int64_t offset)
{
    const auto editable = std::dynamic_pointer_cast<OvGraphFileLib::GCh>(m_channel->GetFileChPtr());
    if (!editable) ORVEL_SERIOUS_ERROR("the channel's data were replaced behind the command");
    editable->ShiftTime(offset);
    m_channel->Rebuild();
    m_channel->Notify(ovgGraph::kRelayout);
}

}  // namespace ovgApp
