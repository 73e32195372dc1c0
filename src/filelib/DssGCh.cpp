#include "filelib/DssGCh.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace OvGraphFileLib {

DssGCh::DssGCh(Fields fields)
{
    SetSerialNo(fields.serialNo);
    SetModel(fields.model);
    SetLoggerName(fields.loggerName);
    SetChName(fields.chName);
    SetAuxText(fields.auxText);
    SetTimeDiff(fields.timeDiff);
    SetChType(fields.chType);
    SetInterval(fields.interval);
    SetUpperLimit(fields.upperLimit);
    SetLowerLimit(fields.lowerLimit);
    SetScaleExpr(fields.scaleExpr);
    int64_t total = 0;
    for (auto& block : fields.blocks) {
        total += block->GetCount();
        AddRawData(std::move(block));
    }
    SetDataCount(int32_t(std::min<int64_t>(total, std::numeric_limits<int32_t>::max())));
    const RawDataList& blocks = RawDataBlocks();
    SetFirstTime(blocks.empty() ? NO_TIME : blocks.front()->GetFirstTime());
    SetLastTime(blocks.empty() ? NO_TIME : blocks.back()->GetLastTime());
}

}  // namespace OvGraphFileLib
