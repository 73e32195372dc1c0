#include "filelib/FileDss.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow"
#pragma GCC diagnostic ignored "-Wconversion"
#include <picojson.h>
#pragma GCC diagnostic pop

#include "filelib/Base64.h"
#include "filelib/JsonDocument.h"
#include "filelib/TextCodec.h"
#include "filelib/TimeMath.h"

namespace OvGraphFileLib {
namespace {

constexpr const char* kLoad = "OvGraphFileLib::FileDss::LoadImpl";
constexpr int64_t kSecond = 1000;
constexpr int64_t kMinute = 60000;
// The parser's message names the line and quotes the text after the failure; a long line is cut.
constexpr size_t kMaxMessage = 120;

enum Location : int32_t {
    kSyntax = 7300,
    kStatus = 7310,
    kResult = 7311,
    kSerial = 7312,
    kModel = 7313,
    kLoggerName = 7314,
    kTimeDiff = 7315,
    kChannels = 7316,
    kChannel = 7320,
    kChNumber = 7321,
    kChName = 7322,
    kBlocks = 7323,
    kBlock = 7330,
    kConnect = 7331,
    kData = 7332,
    kFirst = 7333,
    kInterval = 7334,
    kType = 7335,
    kScaleExpr = 7336,
    kUpperLimit = 7337,
    kLowerLimit = 7338,
    kTooManyRecords = 7339,
};

[[noreturn]] void Fail(int32_t location)
{
    ThrowResult(kReadFailed, location, kLoad);
}

// The value of a key that must be present with the JSON type T.
template <class T>
const T& Required(const picojson::object& object, const char* key, int32_t location)
{
    const auto found = object.find(key);
    if (found == object.end() || !found->second.is<T>()) Fail(location);
    return found->second.get<T>();
}

// A number that must be present, integer or not.
const picojson::value& RequiredNumber(const picojson::object& object, const char* key, int32_t location)
{
    const auto found = object.find(key);
    if (found == object.end() || !found->second.is<double>()) Fail(location);
    return found->second;
}

// An optional key: absent or null gives nothing; any other type than T fails.
template <class T>
const T* Optional(const picojson::object& object, const char* key, int32_t location)
{
    const auto found = object.find(key);
    if (found == object.end() || found->second.is<picojson::null>()) return nullptr;
    if (!found->second.is<T>()) Fail(location);
    return &found->second.get<T>();
}

// A JSON number scaled to an integer (seconds to ms, minutes to ms); nothing when it does not fit.
std::optional<int64_t> Scaled(const picojson::value& number, int64_t scale)
{
    if (number.is<int64_t>()) {
        int64_t product;
        if (__builtin_mul_overflow(number.get<int64_t>(), scale, &product)) return std::nullopt;
        return product;
    }
    const double value = number.get<double>() * double(scale);
    // 2^63 is the first double past the int64 range.
    if (!std::isfinite(value) || std::fabs(value) >= 9223372036854775808.0) return std::nullopt;
    return std::llround(value);
}

int64_t ScaledField(const picojson::object& object, const char* key, int64_t scale, int32_t location)
{
    const auto value = Scaled(RequiredNumber(object, key, location), scale);
    if (!value) Fail(location);
    return *value;
}

// A whole number within [low, high]; nothing otherwise.
std::optional<int64_t> WholeNumber(const picojson::value& number, int64_t low, int64_t high)
{
    double value;
    if (number.is<int64_t>()) {
        const int64_t whole = number.get<int64_t>();
        return whole >= low && whole <= high ? std::optional<int64_t>(whole) : std::nullopt;
    }
    value = number.get<double>();
    if (!(value >= double(low) && value <= double(high)) || std::trunc(value) != value) return std::nullopt;
    return int64_t(value);
}

// Hexadecimal text with an optional "0x" prefix, at most 8 digits.
std::optional<uint32_t> HexSerial(const std::string& text)
{
    size_t start = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') ? 2 : 0;
    if (start == text.size() || text.size() - start > 8) return std::nullopt;
    uint32_t serial = 0;
    for (size_t i = start; i < text.size(); ++i) {
        const char c = text[i];
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0) return std::nullopt;
        serial = serial << 4 | uint32_t(digit);
    }
    return serial;
}

// Cuts a UTF-8 text to at most `limit` bytes without splitting a character.
std::string Cut(std::string text, size_t limit)
{
    if (text.size() <= limit) return text;
    size_t end = limit;
    while (end > 0 && (uint8_t(text[end]) & 0xC0) == 0x80) --end;
    text.resize(end);
    return text;
}

// A non-200 status: the location is the status, the failure text the `errors` messages.
[[noreturn]] void FailWithStatus(const picojson::object& answer, const picojson::value& status)
{
    const int32_t location =
        status.is<int64_t>()
            ? int32_t(std::clamp<int64_t>(status.get<int64_t>(), std::numeric_limits<int32_t>::min(),
                                          std::numeric_limits<int32_t>::max()))
            : int32_t(std::clamp(std::trunc(status.get<double>()),
                                 double(std::numeric_limits<int32_t>::min()),
                                 double(std::numeric_limits<int32_t>::max())));
    std::string messages;
    const auto errors = answer.find("errors");
    if (errors != answer.end() && errors->second.is<picojson::array>()) {
        for (const picojson::value& item : errors->second.get<picojson::array>()) {
            if (!item.is<picojson::object>()) continue;
            const auto msg = item.get<picojson::object>().find("msg");
            if (msg == item.get<picojson::object>().end() || !msg->second.is<std::string>()) continue;
            if (!messages.empty()) messages += '\n';
            messages += msg->second.get<std::string>();
        }
    }
    throw Result{kReadFailed, location, messages.empty() ? std::string(kLoad) : messages};
}

struct Channel {
    DssGCh::Fields fields;
    int64_t records = 0;
};

// Appends a block's records: to the previous block when the answer says it continues it without a
// gap (same type and interval, and for fixed intervals the time where the previous block ends),
// otherwise as a new block.
void AddBlock(Channel& channel, bool connect, int32_t type, int64_t first, int64_t interval,
              std::vector<uint8_t> records)
{
    const uint8_t size = DssChRawData::RecordSize(type);
    const bool ownTimes = DssChRawData::HasRecordTimes(type);
    if (records.size() % size != 0) ThrowResult(kBrokenFile, kData, kLoad);
    const int64_t count = int64_t(records.size() / size);
    channel.records += count;
    if (channel.records > std::numeric_limits<int32_t>::max())
        ThrowResult(kBrokenFile, kTooManyRecords, kLoad);
    if (count == 0) return;

    const int64_t blockInterval = ownTimes ? NO_INTERVAL : interval;
    auto& blocks = channel.fields.blocks;
    if (connect && !blocks.empty()) {
        DssChRawData& previous = *blocks.back();
        const bool continues = previous.GetChType() == type && previous.GetInterval() == blockInterval &&
                               (ownTimes || RecordTime(previous.GetTime(previous.GetCount() - 1), interval, 1) == first);
        if (continues) {
            previous.GetData().insert(previous.GetData().end(), records.begin(), records.end());
            previous.SetCount(previous.GetCount() + int32_t(count));
            if (ownTimes)
                previous.UpdateTimesFromRecords();
            else
                previous.SetLastTime(previous.GetTime(previous.GetCount() - 1));
            return;
        }
    }
    auto block = std::make_shared<DssChRawData>();
    block->SetChType(type);
    block->SetElementSize(size);
    block->SetInterval(blockInterval);
    block->SetFirstTime(first);
    block->SetCount(int32_t(count));
    block->GetData() = std::move(records);
    if (ownTimes)
        block->UpdateTimesFromRecords();
    else
        block->SetLastTime(block->GetTime(block->GetCount() - 1));
    blocks.push_back(std::move(block));
}

void ReadBlock(const picojson::value& item, bool firstBlock, Channel& channel)
{
    if (!item.is<picojson::object>()) Fail(kBlock);
    const picojson::object& block = item.get<picojson::object>();
    const bool connect = Required<bool>(block, "connect", kConnect);
    const std::string& data = Required<std::string>(block, "data", kData);
    const int64_t first = ScaledField(block, "first", kSecond, kFirst);
    const int64_t interval = ScaledField(block, "interval", kSecond, kInterval);
    if (interval < 0) Fail(kInterval);
    const auto type =
        WholeNumber(RequiredNumber(block, "type", kType), 0, std::numeric_limits<uint16_t>::max());
    if (!type) Fail(kType);
    const std::string* scaleExpr = Optional<std::string>(block, "scaleExpr", kScaleExpr);
    const double* upper = Optional<double>(block, "upperLimit", kUpperLimit);
    const double* lower = Optional<double>(block, "lowerLimit", kLowerLimit);

    DssGCh::Fields& fields = channel.fields;
    if (firstBlock) {
        fields.chType = uint16_t(*type);
        fields.interval = DssChRawData::HasRecordTimes(int32_t(*type)) ? NO_INTERVAL : interval;
    }
    // Settings given by a later block replace earlier ones: the last block holds the logger's
    // current limits and scale.
    if (scaleExpr) fields.scaleExpr = TextCodec::FromUtf8(*scaleExpr);
    if (upper) fields.upperLimit = *upper;
    if (lower) fields.lowerLimit = *lower;

    // The decoded records are never longer than the text that carries them.
    auto records = DecodeBase64(data);
    if (!records) ThrowResult(kBrokenFile, kData, kLoad);
    AddBlock(channel, connect, int32_t(*type), first, interval, std::move(*records));
}

}  // namespace

void FileDss::LoadImpl(std::istream& in)
{
    m_channels.clear();  // a failed load keeps nothing of an earlier one
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    // A byte-order mark that an editor put before the answer is not part of the JSON.
    if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
    picojson::value root;
    const std::string error = ParseJsonDocument(text, root);
    if (!error.empty()) ThrowResult(kReadFailed, kSyntax, Cut(error, kMaxMessage).c_str());

    static const picojson::object kNoObject;
    const picojson::object& answer = root.is<picojson::object>() ? root.get<picojson::object>() : kNoObject;
    const picojson::value& status = RequiredNumber(answer, "status", kStatus);
    if (!(status.is<int64_t>() ? status.get<int64_t>() == 200 : status.get<double>() == 200.0))
        FailWithStatus(answer, status);

    const picojson::object& result = Required<picojson::object>(answer, "result", kResult);
    const auto serial = HexSerial(Required<std::string>(result, "serial", kSerial));
    if (!serial) Fail(kSerial);
    const std::u16string model = TextCodec::FromUtf8(Required<std::string>(result, "model", kModel));
    const std::u16string loggerName =
        TextCodec::FromUtf8(Required<std::string>(result, "loggerName", kLoggerName));
    const int64_t timeDiff = ScaledField(result, "timeDiff", kMinute, kTimeDiff);
    const picojson::array& channels = Required<picojson::array>(result, "channels", kChannels);

    std::vector<std::shared_ptr<DssGCh>> loaded;
    for (size_t i = 0; i < channels.size(); ++i) {
        if (!channels[i].is<picojson::object>()) Fail(kChannel);
        const picojson::object& item = channels[i].get<picojson::object>();
        const auto number =
            WholeNumber(RequiredNumber(item, "chNumber", kChNumber), std::numeric_limits<int32_t>::min(),
                        std::numeric_limits<int32_t>::max());
        if (!number) Fail(kChNumber);
        Channel channel;
        channel.fields.serialNo = *serial;
        channel.fields.model = model;
        channel.fields.loggerName = loggerName;
        channel.fields.timeDiff = timeDiff;
        channel.fields.auxText = TextCodec::FromUtf8(std::to_string(*number));
        channel.fields.chName = TextCodec::FromUtf8(Required<std::string>(item, "chName", kChName));
        // Several channels of one logger must be told apart in a legend.
        if (channel.fields.chName.empty() && channels.size() >= 2)
            channel.fields.chName = TextCodec::FromUtf8("Ch." + std::to_string(i + 1));
        const picojson::array& blocks = Required<picojson::array>(item, "blocks", kBlocks);
        for (size_t b = 0; b < blocks.size(); ++b) ReadBlock(blocks[b], b == 0, channel);
        loaded.push_back(std::make_shared<DssGCh>(std::move(channel.fields)));
    }
    m_channels = std::move(loaded);
}

ChList FileDss::GetChList() const
{
    return {m_channels.begin(), m_channels.end()};
}

}  // namespace OvGraphFileLib
