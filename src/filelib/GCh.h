#pragma once

#include <utility>

#include "filelib/ChConstants.h"
#include "filelib/GChDataIterator.h"
#include "filelib/ICh.h"

namespace OvGraphFileLib {

// The editable, self-contained channel: a copy of any ICh that can be changed attribute by
// attribute, trimmed, shifted in time and merged. It owns its blocks; GetRawData hands out copies.
class GCh : public ICh {
public:
    GCh() = default;
    // Copies every attribute through the source's getters and deep-copies its blocks.
    explicit GCh(const ICh& source);
    GCh(const GCh& other);
    GCh& operator=(const GCh& other);
    // A channel with every attribute of the source and no data, for tools that compute new data.
    static std::shared_ptr<GCh> WithAttributesOf(const ICh& source);

    // Throw Result: write locations 700-721, read locations 730-753.
    void SaveImpl(std::ostream& out) const override;
    void LoadImpl(std::istream& in) override;
    std::string GetClassName() const override { return "GCh"; }
    std::shared_ptr<ICh> Clone() const override;
    RawDataList GetRawData() const override;
    uint32_t GetSerialNo() const override { return m_serialNo; }
    std::u16string GetModel() const override { return m_model; }
    std::u16string GetBaseName() const override { return m_baseName; }
    std::u16string GetLoggerName() const override { return m_loggerName; }
    std::u16string GetChName() const override { return m_chName; }
    int64_t GetInterval() const override { return m_interval; }
    int32_t GetDataCount() const override { return m_dataCount; }
    uint16_t GetChType() const override { return m_chType; }
    int8_t GetDecimalPlaces() const override { return m_decimalPlaces; }
    double GetUpperLimit() const override { return m_upperLimit; }
    double GetLowerLimit() const override { return m_lowerLimit; }
    int64_t GetFirstTime() const override { return m_firstTime; }
    int64_t GetLastTime() const override { return m_lastTime; }
    int64_t GetTimeDiff() const override { return m_timeDiff; }
    int64_t GetStdBias() const override { return m_stdBias; }
    int64_t GetDstBias() const override { return m_dstBias; }
    std::u16string GetAuxText() const override { return m_auxText; }
    std::u16string GetScaleExpr() const override { return m_scaleExpr; }
    uint8_t GetRecordProp() const override { return m_recordProp; }

    virtual void SetBaseName(const std::u16string& text) { m_baseName = text; }
    virtual void SetLoggerName(const std::u16string& text) { m_loggerName = text; }
    virtual void SetChName(const std::u16string& text) { m_chName = text; }
    virtual void SetDecimalPlaces(int8_t places) { m_decimalPlaces = places; }
    virtual void SetUpperLimit(double limit) { m_upperLimit = limit; }
    virtual void SetLowerLimit(double limit) { m_lowerLimit = limit; }
    virtual void SetTimeDiff(int64_t ms) { m_timeDiff = ms; }
    virtual void SetStdBias(int64_t ms) { m_stdBias = ms; }
    virtual void SetDstBias(int64_t ms) { m_dstBias = ms; }
    virtual void SetAuxText(const std::u16string& text) { m_auxText = text; }
    virtual void SetScaleExpr(const std::u16string& text) { m_scaleExpr = text; }
    // Remove every record before (after) the time; blocks left empty are removed, and the data
    // count and first and last time follow the remaining blocks.
    virtual void DeleteBefore(int64_t time);
    virtual void DeleteAfter(int64_t time);
    // Inserts copies of the other channel's blocks so that the list stays ordered by first time.
    virtual void MergeData(const ICh& other);
    // Removes the records that lie at or before the end of an earlier block, so that merged
    // recordings that overlap read in time order (the earlier block's records win).
    void RemoveOverlaps();
    virtual void ShiftTime(int64_t offset);
    // The records for drawing or listing [from, to]: one record before the window, through the
    // first record after it. A negative from counts as 0, a negative to as the largest time.
    virtual std::pair<GChDataIterator, GChDataIterator> GetDataRange(int64_t from, int64_t to) const;
    virtual void SetSerialNo(uint32_t serialNo) { m_serialNo = serialNo; }
    virtual void SetModel(const std::u16string& text) { m_model = text; }
    virtual void SetInterval(int64_t ms) { m_interval = ms; }
    virtual void SetDataCount(int32_t count) { m_dataCount = count; }
    virtual void SetChType(uint16_t type) { m_chType = type; }
    virtual void SetFirstTime(int64_t time) { m_firstTime = time; }
    virtual void SetLastTime(int64_t time) { m_lastTime = time; }
    // Appends the block; the channel takes ownership.
    virtual void AddRawData(std::shared_ptr<GChRawData> block) { m_rawData.push_back(std::move(block)); }
    // Replaces the blocks (the channel takes them, in time order); data count and first and last
    // time follow them.
    void SetRawData(RawDataList blocks);

    void SetRecordProp(uint8_t prop) { m_recordProp = prop; }
    // The blocks themselves, for iteration without copying.
    const RawDataList& RawDataBlocks() const { return m_rawData; }
    GChDataIterator begin() const { return GChDataIterator::Begin(m_rawData); }
    GChDataIterator end() const { return GChDataIterator::End(m_rawData); }

private:
    void CopyFrom(const ICh& source);
    void CopyAttributes(const ICh& source);
    // Data count, first and last time from the block list.
    void UpdateFromBlocks();

    uint32_t m_serialNo = 0;
    std::u16string m_model;
    std::u16string m_baseName;
    std::u16string m_loggerName;
    std::u16string m_chName;
    int64_t m_interval = NO_INTERVAL;
    int32_t m_dataCount = 0;
    uint16_t m_chType = 0;
    int8_t m_decimalPlaces = -1;
    double m_upperLimit = NO_UPPER_LIMIT;
    double m_lowerLimit = NO_LOWER_LIMIT;
    int64_t m_firstTime = NO_TIME;
    int64_t m_lastTime = NO_TIME;
    int64_t m_timeDiff = NOT_GIVEN;
    int64_t m_stdBias = NOT_GIVEN;
    int64_t m_dstBias = NOT_GIVEN;
    std::u16string m_auxText;
    std::u16string m_scaleExpr;
    RawDataList m_rawData;
    uint8_t m_recordProp = 0;
};

// Deep copies of a block list.
RawDataList CloneBlocks(const RawDataList& blocks);

}  // namespace OvGraphFileLib
