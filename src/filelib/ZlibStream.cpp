#include "filelib/ZlibStream.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

namespace OvGraphFileLib {
namespace {

constexpr size_t kBufferSize = 64 * 1024;
constexpr int kLevel = 6;
constexpr int kGzipWindowBits = 15 + 16;  // 32 KB window, gzip wrapper
constexpr int kMemLevel = 8;
// Bits held inside zlib (bit buffer, a match cut short by a full output buffer) can still turn
// into output after the input is gone.
constexpr int64_t kInflaterSlack = 64 * 1024;
constexpr Bytef kGzipMagic = 0x1F;  // the first byte of every gzip member

}  // namespace

ZlibDeflate2::ZlibDeflate2(std::ostream& target)
    : m_target(target), m_zs(std::make_unique<z_stream_s>()), m_in(kBufferSize), m_out(kBufferSize)
{
    if (deflateInit2(m_zs.get(), kLevel, Z_DEFLATED, kGzipWindowBits, kMemLevel, Z_DEFAULT_STRATEGY) != Z_OK) {
        m_failed = true;
        m_zs.reset();
    }
    setp(m_in.data(), m_in.data() + m_in.size());
}

ZlibDeflate2::~ZlibDeflate2()
{
    if (m_zs) deflateEnd(m_zs.get());
}

bool ZlibDeflate2::Deflate(int flush)
{
    if (m_failed || m_finished) return false;
    m_zs->next_in = reinterpret_cast<Bytef*>(pbase());
    m_zs->avail_in = uInt(pptr() - pbase());
    int rc;
    do {
        m_zs->next_out = reinterpret_cast<Bytef*>(m_out.data());
        m_zs->avail_out = uInt(m_out.size());
        rc = deflate(m_zs.get(), flush);
        if (rc == Z_STREAM_ERROR) return m_failed = true, false;
        const size_t produced = m_out.size() - m_zs->avail_out;
        if (produced > 0 && !m_target.write(m_out.data(), std::streamsize(produced))) return m_failed = true, false;
    } while (m_zs->avail_out == 0 || (flush == Z_FINISH && rc != Z_STREAM_END));
    setp(m_in.data(), m_in.data() + m_in.size());
    return true;
}

ZlibDeflate2::int_type ZlibDeflate2::overflow(int_type ch)
{
    if (!Deflate(Z_NO_FLUSH)) return traits_type::eof();
    if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
    *pptr() = traits_type::to_char_type(ch);
    pbump(1);
    return ch;
}

int ZlibDeflate2::sync() { return Deflate(Z_NO_FLUSH) ? 0 : -1; }

bool ZlibDeflate2::Finish()
{
    const bool done = Deflate(Z_FINISH);
    m_finished = true;
    setp(nullptr, nullptr);  // later writes fail
    return done && m_target.flush().good();
}

ZlibInflate2::ZlibInflate2(std::istream& source)
    : m_source(source),
      m_zs(std::make_unique<z_stream_s>()),
      m_in(kBufferSize),
      m_out(kBufferSize),
      m_sourceLeft(Stuff::RemainingBytes(source))
{
    if (inflateInit2(m_zs.get(), kGzipWindowBits) != Z_OK) {
        m_failed = true;
        m_zs.reset();
    }
    setg(m_out.data(), m_out.data(), m_out.data());
}

ZlibInflate2::~ZlibInflate2()
{
    if (m_zs) inflateEnd(m_zs.get());
}

int64_t ZlibInflate2::MaxRemaining() const
{
    const int64_t onHand = int64_t(egptr() - gptr());
    if (m_failed || m_ended) return onHand;
    if (m_sourceLeft < 0) return -1;
    const int64_t compressed = m_sourceLeft + int64_t(m_zs->avail_in);
    constexpr int64_t kLargest = std::numeric_limits<int64_t>::max();
    if (compressed > (kLargest - onHand - kInflaterSlack) / kMaxRatio) return kLargest;
    return onHand + compressed * kMaxRatio + kInflaterSlack;
}

bool ZlibInflate2::Refill()
{
    m_source.read(m_in.data(), std::streamsize(m_in.size()));
    const std::streamsize got = m_source.gcount();
    if (got <= 0) return false;
    if (m_sourceLeft >= 0) m_sourceLeft = std::max<int64_t>(0, m_sourceLeft - got);
    m_zs->next_in = reinterpret_cast<Bytef*>(m_in.data());
    m_zs->avail_in = uInt(got);
    return true;
}

ZlibInflate2::int_type ZlibInflate2::underflow()
{
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (m_failed || m_ended) return traits_type::eof();
    for (;;) {
        if (m_zs->avail_in == 0 && !Refill()) {
            // The source is exhausted: a clean end after a whole member, else a truncated stream.
            (m_memberDone ? m_ended : m_failed) = true;
            return traits_type::eof();
        }
        if (m_memberDone) {
            // Bytes after a member: the next member of a multi-member gzip file, or (not starting
            // like a gzip member) trailing bytes, which end the stream as gzip tools ignore them.
            if (*m_zs->next_in != kGzipMagic) {
                m_ended = true;
                return traits_type::eof();
            }
            inflateReset(m_zs.get());
            m_memberDone = false;
        }
        const uInt inBefore = m_zs->avail_in;
        m_zs->next_out = reinterpret_cast<Bytef*>(m_out.data());
        m_zs->avail_out = uInt(m_out.size());
        const int rc = inflate(m_zs.get(), Z_NO_FLUSH);
        const size_t produced = m_out.size() - m_zs->avail_out;
        if (rc == Z_STREAM_END) {
            m_memberDone = true;
        } else if (rc != Z_OK && rc != Z_BUF_ERROR) {
            // Corrupt data, a bad check value, out of memory: what came before it is still
            // delivered, so the failure shows at the first step that needs more.
            m_failed = true;
        } else if (produced == 0 && m_zs->avail_in == inBefore && inBefore > 0) {
            m_failed = true;  // zlib made no progress on input it has: never loop
        }
        if (m_failed && produced == 0) return traits_type::eof();
        if (produced > 0) {
            m_totalOut += produced;
            setg(m_out.data(), m_out.data(), m_out.data() + produced);
            return traits_type::to_int_type(*gptr());
        }
    }
}

}  // namespace OvGraphFileLib
