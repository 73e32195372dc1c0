#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvel::cli {

// Builds compact JSON text. Integers are written exactly; doubles with 17 significant digits
// (non-finite doubles, which JSON cannot hold, as null). Callers keep the nesting right.
class JsonWriter {
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    void Key(std::string_view key);
    void String(std::string_view utf8);
    void Int(int64_t value);
    void Bool(bool value);
    void Double(double value);

    const std::string& Text() const { return m_text; }

private:
    void Separate();
    std::string m_text;
    bool m_needComma = false;
};

}  // namespace orvel::cli
