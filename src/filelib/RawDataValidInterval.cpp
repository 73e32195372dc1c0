#include "filelib/RawDataValidInterval.h"

#include "filelib/ChConstants.h"
#include "filelib/ICh.h"
#include "filelib/Stuff.h"

namespace OvGraphFileLib {

RawDataValidInterval::RawDataValidInterval() { SetElementSize(8); }

std::shared_ptr<RawDataValidInterval> RawDataValidInterval::Create(int32_t chType, int64_t firstTime,
                                                                   int64_t interval,
                                                                   const std::vector<double>& values)
{
    auto block = std::make_shared<RawDataValidInterval>();
    block->SetChType(chType);
    block->SetInterval(interval);
    block->SetCount(int32_t(values.size()));
    block->SetFirstTime(values.empty() ? NO_TIME : firstTime);
    block->SetLastTime(ComputeLastTime(block->GetFirstTime(), block->GetCount(), interval));
    std::vector<uint8_t>& data = block->GetData();
    data.resize(values.size() * 8);
    for (size_t i = 0; i < values.size(); ++i) Stuff::StoreDouble(&data[i * 8], values[i]);
    return block;
}

std::shared_ptr<GChRawData> RawDataValidInterval::Clone() const
{
    return std::make_shared<RawDataValidInterval>(*this);
}

int64_t RawDataValidInterval::GetTime(int32_t index) const
{
    if (index == 0 && GetCount() > 0) return GetFirstTime();
    return GChRawData::GetTime(index);
}

double RawDataValidInterval::GetValue(int32_t index) const
{
    if (!InRange(index)) return INVALID_VALUE;
    return Stuff::LoadDouble(Record(index));
}

}  // namespace OvGraphFileLib
