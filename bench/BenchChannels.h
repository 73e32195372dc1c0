#pragma once

#include <memory>

#include "filelib/GCh.h"
#include "filelib/Stuff.h"

// A temperature channel of `count` samples at `intervalMs` that wanders slowly, as loggers
// record, in one raw block of the given class.
template <class Block>
std::shared_ptr<OvGraphFileLib::GCh> TemperatureChannel(int32_t count, int64_t intervalMs, uint16_t phase)
{
    auto block = std::make_shared<Block>();
    block->SetChType(13);
    block->SetInterval(intervalMs);
    block->SetCount(count);
    block->SetFirstTime(1'780'000'000'000);
    block->SetLastTime(1'780'000'000'000 + int64_t(count - 1) * intervalMs);
    auto& data = block->GetData();
    data.resize(size_t(count) * 2);
    for (int32_t i = 0; i < count; ++i)
        OvGraphFileLib::Stuff::StoreU16(&data[size_t(i) * 2], uint16_t(1200 + (i / 97 + phase) % 150));
    auto ch = std::make_shared<OvGraphFileLib::GCh>();
    ch->SetChType(13);
    ch->SetInterval(intervalMs);
    ch->SetDataCount(count);
    ch->SetFirstTime(block->GetFirstTime());
    ch->SetLastTime(block->GetLastTime());
    ch->AddRawData(block);
    return ch;
}
