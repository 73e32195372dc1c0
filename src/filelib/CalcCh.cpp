#include "filelib/CalcCh.h"

#include <limits>

#include "filelib/GCh.h"
#include "filelib/GChRawData.h"
#include "filelib/GChRawDataFactory.h"
#include "filelib/Stuff.h"
#include "filelib/TextCodec.h"

namespace OvGraphFileLib {
namespace {
constexpr const char* kSave = "OvGraphFileLib::CalcCh::SaveImpl";
constexpr const char* kLoad = "OvGraphFileLib::CalcCh::LoadImpl";
constexpr uint8_t kVersion = 0;
}  // namespace

CalcCh::CalcCh(const CalcCh& other) : ICh(other) { *this = other; }

CalcCh& CalcCh::operator=(const CalcCh& other)
{
    if (this == &other) return *this;
    m_serialNo = other.m_serialNo;
    m_model = other.m_model;
    m_baseName = other.m_baseName;
    m_loggerName = other.m_loggerName;
    m_chName = other.m_chName;
    m_interval = other.m_interval;
    m_chType = other.m_chType;
    m_decimalPlaces = other.m_decimalPlaces;
    m_upperLimit = other.m_upperLimit;
    m_lowerLimit = other.m_lowerLimit;
    m_timeDiff = other.m_timeDiff;
    m_stdBias = other.m_stdBias;
    m_dstBias = other.m_dstBias;
    m_auxText = other.m_auxText;
    m_scaleExpr = other.m_scaleExpr;
    m_rawData = CloneBlocks(other.m_rawData);
    return *this;
}

RawDataList CalcCh::GetRawData() const { return CloneBlocks(m_rawData); }

int32_t CalcCh::GetDataCount() const
{
    int64_t total = 0;
    for (const auto& block : m_rawData) total += block->GetCount();
    return int32_t(std::min<int64_t>(total, std::numeric_limits<int32_t>::max()));
}

int64_t CalcCh::GetFirstTime() const { return m_rawData.empty() ? NO_TIME : m_rawData.front()->GetFirstTime(); }
int64_t CalcCh::GetLastTime() const { return m_rawData.empty() ? NO_TIME : m_rawData.back()->GetLastTime(); }

void CalcCh::SetRawData(RawDataList blocks)
{
    m_rawData = std::move(blocks);
    if (m_rawData.empty()) return;
    m_chType = m_rawData.front()->GetChType();
    bool sameInterval = true;
    for (const auto& block : m_rawData) {
        if (block->GetChType() != m_rawData.front()->GetChType()) m_chType = 0;  // mixed types: none
        sameInterval = sameInterval && block->GetInterval() == m_rawData.front()->GetInterval();
    }
    if (sameInterval) m_interval = m_rawData.front()->GetInterval();
}

void CalcCh::SaveImpl(std::ostream& out) const
{
    using namespace Stuff;
    WriteBinary(out, kVersion, 9000, kSave);
    WriteBinary(out, m_serialNo, 9001, kSave);
    WriteText(out, m_model, 9002, kSave);
    WriteText(out, m_baseName, 9003, kSave);
    WriteText(out, m_loggerName, 9004, kSave);
    WriteText(out, m_chName, 9005, kSave);
    WriteBinary(out, m_interval, 9006, kSave);
    WriteBinary(out, m_chType, 9007, kSave);
    WriteBinary(out, m_decimalPlaces, 9008, kSave);
    WriteBinary(out, m_upperLimit, 9009, kSave);
    WriteBinary(out, m_lowerLimit, 9010, kSave);
    WriteBinary(out, m_timeDiff, 9011, kSave);
    WriteBinary(out, m_stdBias, 9012, kSave);
    WriteBinary(out, m_dstBias, 9013, kSave);
    WriteText(out, m_auxText, 9014, kSave);
    WriteText(out, m_scaleExpr, 9015, kSave);
    WriteBinary(out, int32_t(m_rawData.size()), 9016, kSave);
    for (const auto& block : m_rawData) {
        WriteText(out, TextCodec::FromUtf8(block->GetClassName()), 9017, kSave);
        block->SaveImpl(out);
    }
}

void CalcCh::LoadImpl(std::istream& in)
{
    using namespace Stuff;
    if (Read<uint8_t>(in, 9020, kLoad) > kVersion) ThrowResult(kBrokenFile, 9021, kLoad);
    ReadBinary(in, m_serialNo, 9022, kLoad);
    ReadText(in, m_model, 9023, kLoad);
    ReadText(in, m_baseName, 9024, kLoad);
    ReadText(in, m_loggerName, 9025, kLoad);
    ReadText(in, m_chName, 9026, kLoad);
    ReadBinary(in, m_interval, 9027, kLoad);
    ReadBinary(in, m_chType, 9028, kLoad);
    ReadBinary(in, m_decimalPlaces, 9029, kLoad);
    ReadBinary(in, m_upperLimit, 9030, kLoad);
    ReadBinary(in, m_lowerLimit, 9031, kLoad);
    ReadBinary(in, m_timeDiff, 9032, kLoad);
    ReadBinary(in, m_stdBias, 9033, kLoad);
    ReadBinary(in, m_dstBias, 9034, kLoad);
    ReadText(in, m_auxText, 9035, kLoad);
    ReadText(in, m_scaleExpr, 9036, kLoad);
    const int32_t blockCount = Read<int32_t>(in, 9037, kLoad);
    if (blockCount < 0) ThrowResult(kBrokenFile, 9037, kLoad);
    m_rawData.clear();
    for (int32_t i = 0; i < blockCount; ++i) {
        std::u16string className;
        ReadText(in, className, 9038, kLoad);
        auto block = GChRawDataFactory::Instance().Create(TextCodec::ToUtf8(className));
        if (!block) ThrowResult(kBadBlock, 9039, kLoad);
        block->LoadImpl(in);
        m_rawData.push_back(std::move(block));
    }
}

}  // namespace OvGraphFileLib
