#include "filelib/FileKmq.h"

#include <algorithm>
#include <memory>
#include <string>

#include "filelib/Base64.h"
#include "filelib/FileKmqChRawData.h"
#include "filelib/KmqElements.h"
#include "filelib/Stuff.h"
#include "filelib/TextCodec.h"
#include "filelib/XmlLiteHelperException.h"

namespace OvGraphFileLib {
namespace {

constexpr const char* kLoad = "OvGraphFileLib::FileKmq::LoadImpl";
constexpr int64_t kMinute = 60000;

template <class Element>
int64_t MinutesToMs(const Element& element)
{
    return element.present && !element.empty ? int64_t(element.value) * kMinute : NOT_GIVEN;
}

std::u16string Text(const std::string& utf8) { return TextCodec::FromUtf8(utf8); }

FileKmqCh::Fields ChannelFields(const kmq::Sr_ch& ch, const kmq::Sr_base& base, size_t fileSize)
{
    FileKmqCh::Fields f;
    f.serialNo = ch.serial.value;
    f.model = Text(ch.model.value);
    f.baseName = Text(base.name.value);
    f.loggerName = Text(ch.name.value);
    f.chName = ch.num.present && !ch.num.empty ? u"Ch." + TextCodec::FromUtf8(std::to_string(ch.num.value))
                                                : f.loggerName;
    f.timeDiff = MinutesToMs(ch.time_diff);
    f.stdBias = MinutesToMs(ch.std_bias);
    f.dstBias = MinutesToMs(ch.dst_bias);
    f.timeZone = Text(ch.time_zone.value);
    f.chType = uint16_t(ch.type.value);
    f.unixTime = ch.unix_time.value;
    f.num = ch.num.value;
    f.dataId = ch.data_id.value;
    f.interval = ch.interval.present && !ch.interval.empty ? int64_t(ch.interval.value) * 1000 : NO_INTERVAL;
    f.count = std::max(ch.count.value, 0);
    f.upperLimit = ch.Limit(true);
    f.lowerLimit = ch.Limit(false);
    f.scaleExpr = Text(ch.scale_expr.value);
    f.recordProp = uint8_t(ch.record_prop.value);

    // The record buffer is sized from the count; records that could not fit in the file at all
    // mean a broken count, refused before anything is allocated.
    const uint64_t bytes = uint64_t(f.count) * FileKmqChRawData::RecordSize(f.chType);
    if (bytes > fileSize) ThrowResult(kBrokenFile, 8020, kLoad);
    std::vector<uint8_t>& records = f.records.Edit();
    records.assign(size_t(bytes), 0);
    // Text that is not Base64, or holds more than the count's records, leaves no records at all.
    if (!DecodeBase64Into(ch.data.value, records.data(), records.size())) std::fill(records.begin(), records.end(), 0);
    return f;
}

// The rest of the stream in one buffer of the loader's own: the file is read once and the
// document is parsed in place inside it.
struct WholeStream {
    std::unique_ptr<char[]> bytes;
    size_t size = 0;
};

WholeStream ReadWholeStream(std::istream& in)
{
    WholeStream whole;
    const int64_t remaining = Stuff::RemainingBytes(in);
    if (remaining >= 0) {
        whole.bytes = std::make_unique_for_overwrite<char[]>(size_t(remaining));
        if (remaining > 0) in.read(whole.bytes.get(), std::streamsize(remaining));
        whole.size = size_t(in.gcount());
        return whole;
    }
    // A stream that cannot tell its length grows the buffer as it goes.
    size_t capacity = size_t(1) << 16;
    whole.bytes = std::make_unique_for_overwrite<char[]>(capacity);
    while (in) {
        if (whole.size == capacity) {
            auto larger = std::make_unique_for_overwrite<char[]>(capacity * 2);
            std::copy_n(whole.bytes.get(), whole.size, larger.get());
            whole.bytes = std::move(larger);
            capacity *= 2;
        }
        in.read(whole.bytes.get() + whole.size, std::streamsize(capacity - whole.size));
        whole.size += size_t(in.gcount());
    }
    return whole;
}

}  // namespace

void FileKmq::LoadImpl(std::istream& in)
{
    m_channels.clear();  // a failed load keeps nothing, of this load or an earlier one
    const WholeStream text = ReadWholeStream(in);
    if (text.size == 0) ThrowResult(kReadFailed, 8060, kLoad);

    // Entity declarations of a DOCTYPE are skipped, never expanded: references to them stay text.
    // The document and the element texts point into `text`, which outlives them.
    pugi::xml_document document;
    const pugi::xml_parse_result parsed =
        document.load_buffer_inplace(text.bytes.get(), text.size, pugi::parse_default, pugi::encoding_utf8);
    if (parsed.status == pugi::status_out_of_memory || parsed.status == pugi::status_internal_error)
        ThrowResult(kReadFailed, 8061, kLoad);
    if (!parsed)
        throw XmlLiteHelperException(std::string(parsed.description()) + " at byte " + std::to_string(parsed.offset));

    kmq::Sr_file file;
    const pugi::xml_node root = document.child("file");
    file.Load(root);
    if (!file.format) ThrowResult(kUnsupportedFile, 8000, kLoad);
    if (!file.version) ThrowResult(kUnsupportedFile, 8001, kLoad);
    if (*file.version != "1.00" && file.sample != "recorded_data" && file.sample != "current_readings")
        ThrowResult(kBrokenFile, 8004, kLoad);

    decltype(m_channels) channels;  // kept only once all of them are built
    for (const auto& ch : file.channels)
        channels.push_back(std::make_shared<FileKmqCh>(ChannelFields(*ch, *file.base, text.size)));
    m_channels = std::move(channels);
}

ChList FileKmq::GetChList() const { return {m_channels.begin(), m_channels.end()}; }

}  // namespace OvGraphFileLib
