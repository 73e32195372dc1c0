#include "filelib/Stuff.h"

#include <algorithm>

namespace OvGraphFileLib::Stuff {
namespace {
// Streams that cannot tell their size are read in pieces, so memory grows only with real data.
constexpr uint64_t kReadChunk = 1 << 20;
}  // namespace

void WriteText(std::ostream& out, const std::u16string& text, int32_t location, const char* where)
{
    if (text.size() > 0x7FFF) ThrowResult(kWriteFailed, location, where);
    WriteBinary(out, uint16_t(text.size() * 2), location, where);
    std::vector<uint8_t> bytes(text.size() * 2);
    for (size_t i = 0; i < text.size(); ++i) StoreU16(&bytes[i * 2], text[i]);
    WriteBytes(out, bytes.data(), bytes.size(), location, where);
}

void ReadText(std::istream& in, std::u16string& text, int32_t location, const char* where)
{
    const uint16_t byteCount = Read<uint16_t>(in, location, where);
    if (byteCount % 2 != 0) ThrowResult(kBrokenFile, location, where);
    std::vector<uint8_t> bytes;
    ReadBytes(in, bytes, byteCount, location, where);
    text.resize(byteCount / 2);
    for (size_t i = 0; i < text.size(); ++i) text[i] = char16_t(LoadU16(&bytes[i * 2]));
}

void WriteBytes(std::ostream& out, const uint8_t* data, size_t size, int32_t location, const char* where)
{
    if (size > 0) out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    if (out.fail() || out.bad()) ThrowResult(kWriteFailed, location, where);
}

int64_t RemainingBytes(std::istream& in)
{
    if (!in.good()) return in.eof() ? 0 : -1;
    const std::istream::pos_type here = in.tellg();
    if (here == std::istream::pos_type(-1)) return -1;
    in.seekg(0, std::ios::end);
    const std::istream::pos_type end = in.tellg();
    in.seekg(here);
    if (end == std::istream::pos_type(-1) || !in.good()) {
        in.clear();
        in.seekg(here);
        return -1;
    }
    return int64_t(end - here);
}

namespace {
int64_t BufferBound(std::istream& in)
{
    const auto* bounded = dynamic_cast<const BoundedStreamBuf*>(in.rdbuf());
    return bounded ? bounded->MaxRemaining() : -1;
}
}  // namespace

int64_t RemainingBound(std::istream& in)
{
    const int64_t remaining = RemainingBytes(in);
    return remaining >= 0 ? remaining : BufferBound(in);
}

void ReadBytes(std::istream& in, std::vector<uint8_t>& out, uint64_t count, int32_t location,
               const char* where)
{
    out.clear();
    const int64_t remaining = RemainingBytes(in);
    const int64_t bound = remaining >= 0 ? remaining : BufferBound(in);
    if (bound >= 0 && count > uint64_t(bound)) ThrowResult(kReadFailed, location, where);
    if (in.fail() || in.bad()) ThrowResult(kReadFailed, location, where);
    if (remaining >= 0) {
        out.resize(size_t(count));
        if (count > 0) in.read(reinterpret_cast<char*>(out.data()), std::streamsize(count));
        if (in.fail() || in.bad()) ThrowResult(kReadFailed, location, where);
        return;
    }
    while (out.size() < count) {
        const size_t piece = size_t(std::min<uint64_t>(kReadChunk, count - out.size()));
        const size_t before = out.size();
        out.resize(before + piece);
        in.read(reinterpret_cast<char*>(out.data() + before), std::streamsize(piece));
        if (in.fail() || in.bad()) ThrowResult(kReadFailed, location, where);
    }
}

void SkipBytes(std::istream& in, uint64_t count, int32_t location, const char* where)
{
    const int64_t remaining = RemainingBytes(in);
    if (remaining >= 0) {
        if (count > uint64_t(remaining)) ThrowResult(kReadFailed, location, where);
        in.seekg(std::streamoff(count), std::ios::cur);
        if (in.fail() || in.bad()) ThrowResult(kReadFailed, location, where);
        return;
    }
    std::vector<uint8_t> scratch;
    ReadBytes(in, scratch, count, location, where);
}

void CopyBinary(const std::vector<uint8_t>& from, size_t offset, void* to, size_t size, int32_t location,
                const char* where)
{
    if (offset > from.size() || size > from.size() - offset) ThrowResult(kReadFailed, location, where);
    if (size > 0) std::memcpy(to, from.data() + offset, size);
}

}  // namespace OvGraphFileLib::Stuff
