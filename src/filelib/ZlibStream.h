#pragma once

#include <cstdint>
#include <istream>
#include <memory>
#include <ostream>
#include <streambuf>

#include "filelib/Stuff.h"

struct z_stream_s;

namespace OvGraphFileLib {

// A buffer the streams hand to zlib, left uninitialised (zlib writes before anything reads it):
// documents are opened and saved often, and zero-filling buffers is most of a small one's cost.
class ZlibBuffer {
public:
    explicit ZlibBuffer(size_t size) : m_bytes(new char[size]), m_size(size) {}
    char* data() { return m_bytes.get(); }
    size_t size() const { return m_size; }

private:
    std::unique_ptr<char[]> m_bytes;
    size_t m_size;
};

// A write-only stream buffer that gzip-deflates what is written through it into a target stream:
// deflate level 6, 32 KB window, gzip header and trailer. Finish() ends the gzip stream; until
// then the target holds an incomplete one. A failure of zlib or of the target makes the writing
// stream go bad, so the writer's own check right after the transfer reports it.
class ZlibDeflate2 : public std::streambuf {
public:
    explicit ZlibDeflate2(std::ostream& target);
    ~ZlibDeflate2() override;
    ZlibDeflate2(const ZlibDeflate2&) = delete;
    ZlibDeflate2& operator=(const ZlibDeflate2&) = delete;

    // Deflates what is pending, writes the gzip trailer and flushes the target. False when this
    // or any earlier step failed. Nothing may be written afterwards.
    bool Finish();

protected:
    int_type overflow(int_type ch) override;
    // Hands pending bytes to zlib and its output to the target, without a flush marker in the
    // gzip stream (so flushing never changes the bytes written).
    int sync() override;

private:
    bool Deflate(int flush);

    std::ostream& m_target;
    std::unique_ptr<z_stream_s> m_zs;
    ZlibBuffer m_in;
    ZlibBuffer m_out;
    bool m_failed = false;
    bool m_finished = false;
};

// A read-only stream buffer that inflates a gzip stream read from a source stream as it is
// parsed: the body is never inflated ahead of the reader by more than one buffer. Concatenated
// gzip members read as one stream; bytes after a member that do not start another are ignored.
// A corrupt or truncated gzip stream (also a bad check value or length in a member's trailer)
// reads as a premature end, so the reading step sees a short read and reports its own location
// (code 52); Failed() then tells it apart from a clean end.
//
// It knows at most how many bytes it can still deliver: the inflated bytes on hand plus the
// compressed bytes left in the source (their count taken when the buffer is made) times 1032,
// the most deflate can expand. Readers refuse larger counts before they allocate.
class ZlibInflate2 : public Stuff::BoundedStreamBuf {
public:
    // The most one compressed byte can become (deflate's bound, matches of 258 bytes in 2 bits).
    static constexpr int64_t kMaxRatio = 1032;

    explicit ZlibInflate2(std::istream& source);
    ~ZlibInflate2() override;
    ZlibInflate2(const ZlibInflate2&) = delete;
    ZlibInflate2& operator=(const ZlibInflate2&) = delete;

    // Whether the gzip data was found corrupt or truncated.
    bool Failed() const { return m_failed; }
    // Bytes inflated so far.
    uint64_t TotalOut() const { return m_totalOut; }
    int64_t MaxRemaining() const override;

protected:
    int_type underflow() override;

private:
    bool Refill();

    std::istream& m_source;
    std::unique_ptr<z_stream_s> m_zs;
    ZlibBuffer m_in;
    ZlibBuffer m_out;
    int64_t m_sourceLeft;  // -1 when the source cannot tell
    uint64_t m_totalOut = 0;
    bool m_memberDone = false;  // a gzip member ended; another may follow
    bool m_ended = false;
    bool m_failed = false;
};

}  // namespace OvGraphFileLib
