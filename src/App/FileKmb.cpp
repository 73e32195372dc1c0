#include "App/FileKmb.h"

#include <QSaveFile>
#include <QString>
#include <exception>
#include <streambuf>

#include "App/AppCh.h"
#include "App/AppDocument.h"
#include "filelib/ZlibStream.h"
#include "graph/GraphAxes.h"

namespace ovgApp {
namespace {

using OvGraphFileLib::Result;
using OvGraphFileLib::ThrowResult;

constexpr const char* kSave = "FileKmb::SaveImpl";
constexpr const char* kLoad = "FileKmb::LoadImpl";
constexpr const char* kSaveFile = "FileKmb::Save";
constexpr const char* kBuild = "FileKmb::FromDocument";
constexpr size_t kMaxRecords = 0xFFFF;

// An output stream buffer over a Qt device; a failed device write makes the stream go bad.
class DeviceStreamBuf : public std::streambuf {
public:
    explicit DeviceStreamBuf(QIODevice& device) : m_device(device), m_buffer(256 * 1024)
    {
        setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    }

protected:
    int_type overflow(int_type ch) override
    {
        if (!WritePending()) return traits_type::eof();
        if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
        *pptr() = traits_type::to_char_type(ch);
        pbump(1);
        return ch;
    }
    int sync() override { return WritePending() ? 0 : -1; }

private:
    bool WritePending()
    {
        const qint64 size = pptr() - pbase();
        const bool written = size == 0 || m_device.write(pbase(), size) == size;
        setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
        return written;
    }

    QIODevice& m_device;
    std::vector<char> m_buffer;
};

}  // namespace

void FileKmb::SaveBody(std::ostream& out) const
{
    for (const FileKmbCh& record : m_records) record.SaveImpl(out);
    m_memo.SaveImpl(out);
    m_graphState.SaveImpl(out);
}

void FileKmb::SaveImpl(std::ostream& out) const
{
    if (m_records.size() > kMaxRecords) ThrowResult(OvGraphFileLib::kWriteFailed, 5100, kSave);
    FileKmbFileHeader header = m_header;
    header.SetChCount(uint16_t(m_records.size()));
    header.SaveImpl(out);
    if (header.IsCompressed()) {
        OvGraphFileLib::ZlibDeflate2 deflater(out);
        std::ostream body(&deflater);
        SaveBody(body);
        if (!body.flush() || !deflater.Finish()) ThrowResult(OvGraphFileLib::kWriteFailed, 5101, kSave);
    } else {
        SaveBody(out);
    }
    if (!out.flush()) ThrowResult(OvGraphFileLib::kWriteFailed, 5101, kSave);
}

void FileKmb::LoadImpl(std::istream& in)
{
    FileKmbFileHeader header;
    header.LoadImpl(in);
    if (header.GetVersion() > FileKmbFileHeader::kVersion) ThrowResult(OvGraphFileLib::kNewerVersion, 5112, kLoad);
    std::unique_ptr<OvGraphFileLib::ZlibInflate2> inflater;
    std::istream inflated(nullptr);
    std::istream* body = &in;
    if (header.IsCompressed()) {
        inflater = std::make_unique<OvGraphFileLib::ZlibInflate2>(in);
        inflated.rdbuf(inflater.get());
        body = &inflated;
    }
    // Records are appended as they are read, so memory follows what the body really holds.
    std::vector<FileKmbCh> records;
    for (uint16_t k = 0; k < header.GetChCount(); ++k) {
        records.emplace_back();
        records.back().LoadImpl(*body);
    }
    FileKmbMemo memo;
    memo.LoadImpl(*body);
    FileKmbGraphState graphState;
    graphState.LoadImpl(*body);
    // The gzip stream must end intact right here: its trailer's check value covers every byte.
    if (inflater && (inflated.peek(), inflater->Failed())) ThrowResult(OvGraphFileLib::kReadFailed, 5430, kLoad);
    m_header = header;
    m_records = std::move(records);
    m_memo = memo;
    m_graphState = graphState;
}

Result FileKmb::Save(const std::filesystem::path& path) const
{
    QSaveFile file(QString::fromStdU16String(path.u16string()));
    return Save(file);
}

Result FileKmb::Save(QSaveFile& file) const
{
    if (!file.open(QIODevice::WriteOnly)) return {OvGraphFileLib::kOpenFailed, 5120, kSaveFile};
    DeviceStreamBuf buffer(file);
    std::ostream out(&buffer);
    const Result result = IFile::Save(out);
    if (!result.Ok()) {
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) return {OvGraphFileLib::kWriteFailed, 5121, kSaveFile};
    return result;
}

OvGraphFileLib::ChList FileKmb::GetChList() const
{
    OvGraphFileLib::ChList channels;
    for (const FileKmbCh& record : m_records)
        if (record.GetStoredCh()) channels.push_back(record.GetStoredCh());
    return channels;
}

Result FileKmb::FromDocument(const AppDocument& document, std::shared_ptr<OvGraphFileLib::XmlElement> graphState,
                             const AxisIdsOf& axisIdsOf, bool compressed)
{
    const auto& channels = document.GetChannels();
    if (channels.size() > kMaxRecords) return {OvGraphFileLib::kBadBlock, 5500, kBuild};
    std::vector<FileKmbCh> records;
    bool anyTemperature = false;
    try {
        records.reserve(channels.size());
        for (const auto& channel : channels) {
            const AxisIds ids = axisIdsOf ? axisIdsOf(*channel) : AxisIds{};
            records.push_back(FileKmbCh::FromAppCh(*channel, ids.timeAxis, ids.valueAxis));
            anyTemperature = anyTemperature || channel->IsTemperature();
        }
    } catch (const std::exception&) {
        return {OvGraphFileLib::kBadBlock, 5500, kBuild};
    }
    if (!graphState) return {OvGraphFileLib::kBadBlock, 5504, kBuild};

    m_header = FileKmbFileHeader();
    m_header.SetVersion(FileKmbFileHeader::kVersion);
    m_header.SetCompressed(compressed);
    m_header.SetChCount(uint16_t(records.size()));
    uint8_t unit = FileKmbFileHeader::kNoTemperature;
    if (anyTemperature)
        unit = document.GetTemperatureDisplayType() == 14 ? FileKmbFileHeader::kFahrenheit : FileKmbFileHeader::kCelsius;
    m_header.SetTemperatureUnit(unit);
    m_records = std::move(records);
    m_memo.SetText(document.GetMemo());
    m_graphState.SetTree(std::move(graphState));
    return {};
}

Result FileKmb::FromDocument(const AppDocument& document, std::shared_ptr<OvGraphFileLib::XmlElement> graphState,
                             const ovgGraph::GraphAxes& axes, bool compressed)
{
    const auto idsOf = [&axes](const AppCh& channel) {
        return AxisIds{uint8_t(axes.IndexOf(channel.GetTimeAxis().get())), uint8_t(axes.IndexOf(channel.GetValueAxis().get()))};
    };
    return FromDocument(document, std::move(graphState), idsOf, compressed);
}

Result FileKmb::CheckValueAxisCount(const ovgGraph::GraphAxes& axes)
{
    if (axes.ValueAxisCount() >= ovgGraph::kValueAxisLimit) return {OvGraphFileLib::kTooManyAxes, 5505, kBuild};
    return {};
}

}  // namespace ovgApp
