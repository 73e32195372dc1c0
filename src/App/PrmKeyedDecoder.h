#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <string_view>

namespace ovgApp {

// The keyed form of a parameter file that is not plain XML. It hides the text from casual
// reading and editing and detects damage; it is obfuscation, not encryption: the keys are
// compiled into the program and anyone holding the program can decode the file.
//
// Layout (numbers little-endian):
//   bytes 0-3    magic "OvPK"
//   byte  4      version, 1
//   bytes 5-7    reserved, written 0, not checked
//   bytes 8-11   plain length n, unsigned 32-bit
//   bytes 12-15  check value: FNV-1a (32-bit) of the n plain bytes
//   bytes 16-    n bytes: plain byte i XOR keystream byte i
// Keystream: a xorshift32 generator seeded with FNV-1a of key 1, a zero byte and key 2 (a zero
// seed becomes 0x9E3779B9); byte i = (next state >> 24) XOR key1[i mod |key1|] XOR key2[i mod |key2|].
// The scheme is described with the file in docs/scale-expressions.md.
class PrmKeyedDecoder {
public:
    // Results of Decode below 1.
    enum Code : int {
        kNotKeyed = -1,        // shorter than the header or a different magic
        kUnknownVersion = -2,  // a version other than 1
        kLengthMismatch = -3,  // the plain length disagrees with the bytes that follow the header
        kCheckFailed = -4,     // wrong keys or damaged bytes
        kBadKey = -9,          // an empty key
    };

    static constexpr qsizetype kHeaderSize = 16;

    // Decodes a keyed form into output. Returns the number of plain bytes (0 for an empty
    // payload) or a Code; on a Code output is left empty.
    static int Decode(QByteArrayView input, std::string_view key1, std::string_view key2, QByteArray& output);
    // The keyed form of plain. Empty keys, or more than 2^31 − 1 plain bytes, give an empty array.
    static QByteArray Encode(QByteArrayView plain, std::string_view key1, std::string_view key2);
};

}  // namespace ovgApp
