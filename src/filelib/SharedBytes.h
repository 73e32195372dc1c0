#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace OvGraphFileLib {

// Bytes that copies share until one of them writes: copying costs a reference count, and the
// first write through a copy that is still shared gives that copy bytes of its own. A recording's
// samples pass from the file channel to its blocks and on to the document without being copied.
// Shared bytes are read from several threads at once; a copy is written only by its owner.
class SharedBytes {
public:
    SharedBytes() = default;
    SharedBytes(std::vector<uint8_t> bytes) : m_bytes(std::make_shared<std::vector<uint8_t>>(std::move(bytes))) {}

    const std::vector<uint8_t>& Get() const { return m_bytes ? *m_bytes : Empty(); }
    // The bytes for writing, unshared first when another copy holds them.
    std::vector<uint8_t>& Edit()
    {
        if (!m_bytes)
            m_bytes = std::make_shared<std::vector<uint8_t>>();
        else if (m_bytes.use_count() > 1)
            m_bytes = std::make_shared<std::vector<uint8_t>>(*m_bytes);
        return *m_bytes;
    }
    size_t size() const { return m_bytes ? m_bytes->size() : 0; }
    bool empty() const { return size() == 0; }
    const uint8_t* data() const { return m_bytes ? m_bytes->data() : nullptr; }
    const uint8_t& operator[](size_t index) const { return (*m_bytes)[index]; }
    bool SharesWith(const SharedBytes& other) const { return m_bytes && m_bytes == other.m_bytes; }
    bool operator==(const SharedBytes& other) const { return Get() == other.Get(); }

private:
    static const std::vector<uint8_t>& Empty()
    {
        static const std::vector<uint8_t> empty;
        return empty;
    }

    std::shared_ptr<std::vector<uint8_t>> m_bytes;
};

}  // namespace OvGraphFileLib
