#include "App/PrmKeyedDecoder.h"

#include <cstdint>
#include <limits>
#include <utility>

namespace ovgApp {
namespace {

constexpr char kMagic[4] = {'O', 'v', 'P', 'K'};
constexpr uint8_t kVersion = 1;

constexpr uint32_t kFnvOffset = 2166136261u;
constexpr uint32_t kFnvPrime = 16777619u;

uint32_t Fnv1a(uint32_t hash, std::string_view bytes)
{
    for (const char byte : bytes) hash = (hash ^ static_cast<uint8_t>(byte)) * kFnvPrime;
    return hash;
}

uint32_t ReadUint32(const char* bytes)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<uint8_t>(bytes[i]);
    return value;
}

void AppendUint32(QByteArray& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i) out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// XORs the keystream over bytes in place; the same call encodes and decodes.
void ApplyKeystream(char* bytes, qsizetype count, std::string_view key1, std::string_view key2)
{
    uint32_t state = Fnv1a(Fnv1a(kFnvOffset, key1), std::string_view("\0", 1));
    state = Fnv1a(state, key2);
    if (state == 0) state = 0x9E3779B9u;
    for (qsizetype i = 0; i < count; ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        const auto key = static_cast<uint8_t>((state >> 24) ^ static_cast<uint8_t>(key1[i % key1.size()]) ^
                                              static_cast<uint8_t>(key2[i % key2.size()]));
        bytes[i] = static_cast<char>(static_cast<uint8_t>(bytes[i]) ^ key);
    }
}

}  // namespace

int PrmKeyedDecoder::Decode(QByteArrayView input, std::string_view key1, std::string_view key2,
                            QByteArray& output)
{
    output.clear();
    if (key1.empty() || key2.empty()) return kBadKey;
    if (input.size() < kHeaderSize || QByteArrayView(input.data(), 4) != QByteArrayView(kMagic, 4))
        return kNotKeyed;
    if (static_cast<uint8_t>(input[4]) != kVersion) return kUnknownVersion;
    const uint32_t length = ReadUint32(input.data() + 8);
    // Compared with the bytes present before anything is allocated.
    if (length != static_cast<uint64_t>(input.size() - kHeaderSize) ||
        length > std::numeric_limits<int>::max()) {
        return kLengthMismatch;
    }
    QByteArray plain(input.data() + kHeaderSize, length);
    ApplyKeystream(plain.data(), plain.size(), key1, key2);
    if (Fnv1a(kFnvOffset, std::string_view(plain.constData(), plain.size())) !=
        ReadUint32(input.data() + 12)) {
        return kCheckFailed;
    }
    output = std::move(plain);
    return static_cast<int>(length);
}

QByteArray PrmKeyedDecoder::Encode(QByteArrayView plain, std::string_view key1, std::string_view key2)
{
    if (key1.empty() || key2.empty() || plain.size() > std::numeric_limits<int>::max()) return {};
    QByteArray out;
    out.reserve(kHeaderSize + plain.size());
    out.append(kMagic, 4);
    out.append(static_cast<char>(kVersion));
    out.append(3, '\0');
    AppendUint32(out, static_cast<uint32_t>(plain.size()));
    AppendUint32(out, Fnv1a(kFnvOffset, std::string_view(plain.data(), plain.size())));
    out.append(plain.data(), plain.size());
    ApplyKeystream(out.data() + kHeaderSize, plain.size(), key1, key2);
    return out;
}

}  // namespace ovgApp
