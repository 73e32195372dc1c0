#include "ext/AppMacroCh.h"

#include <stdexcept>
#include <string>

#include "App/AppCh.h"
#include "filelib/ChConstants.h"

namespace ovgApp {

bool AppMacroDataBlock::GetData(int32_t index, int64_t& time, double& value) const
{
    if (index < 0 || index >= GetDataCount())
        throw std::out_of_range("sample " + std::to_string(index) + " outside 0 to " + std::to_string(GetDataCount() - 1));
    time = m_samples[size_t(index)].time;
    value = m_samples[size_t(index)].value;
    return value != OvGraphFileLib::INVALID_VALUE;
}

AppMacroCh::AppMacroCh(std::shared_ptr<AppCh> channel, int32_t temperatureType)
    : m_channel(std::move(channel)), m_temperatureType(temperatureType)
{
    const OvGraphFileLib::ICh& file = m_channel->GetFileCh();
    m_texts[0] = m_channel->GetChNumberText();
    m_texts[1] = m_channel->GetDisplayName();
    m_texts[2] = m_channel->GetUnitText();
    m_texts[3] = QString::number(file.GetSerialNo());
    m_texts[4] = QString::fromStdU16String(file.GetModel());
    m_texts[5] = QString::fromStdU16String(file.GetLoggerName());
    m_kind = DataKind(*m_channel);
    m_decimalPlaces = m_channel->GetDecimalPlaces();
    m_interval = m_channel->GetInterval();
}

int32_t AppMacroCh::DataKind(const AppCh& channel)
{
    if (channel.IsOverrideActive()) return channel.GetOverrideCode();
    switch (channel.GetOwnType()) {
        case 13: case 14: case 269:
            return channel.GetTemperatureDisplayType() == 14 ? 2 : 1;
        case 208: case 209:
            return 3;
        case 65: case 67:
            return 4;
        case 66:
            return 5;
        case 73:
            return 6;
        case 329:
            return 7;
        case 85:
            return 8;
        case 341:
            return 9;
        case 129:
            return 10;
        case 145: case 146: case 384:
            return 11;
        case 77: case 78: case 352:
            return 12;
        case 333: case 334: case 589: case 590:
            return 13;
        case 416:
            return 14;
        default:
            return 15;
    }
}

void AppMacroCh::ReadBlocks() const
{
    if (m_blocksRead) return;
    m_blocksRead = true;
    // The break items between blocks split the samples.
    std::vector<OvGraphFileLib::ChSample> block;
    for (const OvGraphFileLib::ChSample& sample : m_channel->GetSamples(m_temperatureType)) {
        if (sample.value == OvGraphFileLib::BREAK_VALUE) {
            if (!block.empty()) m_blocks.emplace_back(std::move(block));
            block.clear();
            continue;
        }
        block.push_back(sample);
    }
    if (!block.empty()) m_blocks.emplace_back(std::move(block));
}

int32_t AppMacroCh::GetDataBlockCount() const
{
    ReadBlocks();
    return int32_t(m_blocks.size());
}

const AppMacroDataBlock* AppMacroCh::GetDataBlock(int32_t index) const
{
    ReadBlocks();
    return index >= 0 && index < int32_t(m_blocks.size()) ? &m_blocks[size_t(index)] : nullptr;
}

}  // namespace ovgApp
