#pragma once

#include <pugixml.hpp>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The element objects of a kmq document: one per known element, each recording whether its
// element was present and whether it was empty, built on three generic loaders.
namespace OvGraphFileLib::kmq {

template <size_t N>
struct ElementName {
    constexpr ElementName(const char (&name)[N]) { std::copy_n(name, N, text); }
    char text[N];
};

// Accepts its element once: the first child of that name counts, later ones are ignored.
template <ElementName Name>
struct SrElementLoadOnce {
    static constexpr const char* kName = Name.text;
    bool present = false;
    bool empty = true;

    // The element's text inside the parsed document, or nothing when the parent has no such child.
    std::optional<std::string_view> LoadView(const pugi::xml_node& parent)
    {
        const pugi::xml_node node = parent.child(kName);
        present = bool(node);
        if (!present) return std::nullopt;
        const std::string_view text = node.text().get();
        empty = text.empty();
        return text;
    }
    std::optional<std::string> LoadText(const pugi::xml_node& parent)
    {
        const std::optional<std::string_view> text = LoadView(parent);
        if (!text) return std::nullopt;
        return std::string(*text);
    }
};

// The element's text, unchanged (UTF-8).
template <ElementName Name>
struct SrElementLoadStr : SrElementLoadOnce<Name> {
    std::string value;
    void Load(const pugi::xml_node& parent) { value = this->LoadText(parent).value_or(std::string()); }
};

// The element's text as a view into the parsed document, which must outlive it: the Base64
// records are decoded from the document's own buffer, never copied.
template <ElementName Name>
struct SrElementLoadView : SrElementLoadOnce<Name> {
    std::string_view value;
    void Load(const pugi::xml_node& parent) { value = this->LoadView(parent).value_or(std::string_view()); }
};

// Signed 32-bit decimal: leading blanks and a sign, then digits up to the first other character;
// beyond the 32-bit range it stops at the range's end.
int32_t DecimalInt32(const std::string& text);
// Unsigned 32-bit: hexadecimal after a "0x" prefix, decimal otherwise.
uint32_t UnsignedWithBase(const std::string& text);

template <ElementName Name>
struct SrElementLoadInt : SrElementLoadOnce<Name> {
    int32_t value = 0;
    void Load(const pugi::xml_node& parent)
    {
        if (auto text = this->LoadText(parent)) value = DecimalInt32(*text);
    }
};

template <ElementName Name>
struct SrElementLoadUnsigned : SrElementLoadOnce<Name> {
    uint32_t value = 0;
    void Load(const pugi::xml_node& parent)
    {
        if (auto text = this->LoadText(parent)) value = UnsignedWithBase(*text);
    }
};

using Sr_base_serial = SrElementLoadUnsigned<"serial">;
using Sr_base_model = SrElementLoadStr<"model">;
using Sr_base_name = SrElementLoadStr<"name">;
using Sr_ch_num = SrElementLoadInt<"num">;
using Sr_ch_serial = SrElementLoadUnsigned<"serial">;
using Sr_ch_model = SrElementLoadStr<"model">;
using Sr_ch_name = SrElementLoadStr<"name">;
using Sr_ch_time_diff = SrElementLoadInt<"time_diff">;  // minutes
using Sr_ch_std_bias = SrElementLoadInt<"std_bias">;    // minutes
using Sr_ch_dst_bias = SrElementLoadInt<"dst_bias">;    // minutes
using Sr_ch_time_zone = SrElementLoadStr<"time_zone">;
using Sr_ch_type = SrElementLoadInt<"type">;
using Sr_ch_unix_time = SrElementLoadInt<"unix_time">;  // seconds since 1970 UTC
using Sr_ch_data_id = SrElementLoadInt<"data_id">;
using Sr_ch_interval = SrElementLoadInt<"interval">;    // seconds
using Sr_ch_count = SrElementLoadInt<"count">;
using Sr_ch_upper_limit = SrElementLoadStr<"upper_limit">;
using Sr_ch_lower_limit = SrElementLoadStr<"lower_limit">;
using Sr_ch_scale_expr = SrElementLoadStr<"scale_expr">;
using Sr_ch_record_prop = SrElementLoadInt<"record_prop">;
using Sr_ch_data = SrElementLoadView<"data">;           // Base64

// The base unit of versions 1.00 and 1.10.
struct Sr_base {
    Sr_base_serial serial;
    Sr_base_name name;
    Sr_base_model model;  // read only by later versions
    virtual ~Sr_base() = default;
    virtual void Load(const pugi::xml_node& base)
    {
        serial.Load(base);
        name.Load(base);
    }
};

// The base unit of later versions, which also names its model.
struct Sr_base_120 : Sr_base {
    void Load(const pugi::xml_node& base) override
    {
        Sr_base::Load(base);
        model.Load(base);
    }
};

// One channel of versions 1.00 and 1.10: limits are raw codes of the channel's type.
struct Sr_ch {
    Sr_ch_num num;
    Sr_ch_serial serial;
    Sr_ch_model model;
    Sr_ch_name name;
    Sr_ch_time_diff time_diff;
    Sr_ch_std_bias std_bias;
    Sr_ch_dst_bias dst_bias;
    Sr_ch_time_zone time_zone;
    Sr_ch_type type;
    Sr_ch_unix_time unix_time;
    Sr_ch_data_id data_id;
    Sr_ch_interval interval;
    Sr_ch_count count;
    Sr_ch_upper_limit upper_limit;
    Sr_ch_lower_limit lower_limit;
    Sr_ch_scale_expr scale_expr;
    Sr_ch_record_prop record_prop;
    Sr_ch_data data;

    virtual ~Sr_ch() = default;
    void Load(const pugi::xml_node& ch);
    // The upper or lower limit in the channel's unit, or the no-limit value (the largest double,
    // negated for the lower limit).
    double Limit(bool upper) const;

protected:
    virtual double LimitFromText(const std::string& text, bool upper) const;
};

// One channel of later versions: limits are decimal values in the channel's unit.
struct Sr_ch_120 : Sr_ch {
protected:
    double LimitFromText(const std::string& text, bool upper) const override;
};

// The root element with its attributes and children.
struct Sr_file {
    std::optional<std::string> format;
    std::optional<std::string> version;
    std::optional<std::string> name;    // versions after 1.10
    std::optional<std::string> sample;  // versions after 1.00
    std::unique_ptr<Sr_base> base;
    std::vector<std::unique_ptr<Sr_ch>> channels;

    bool IsEarlyVersion() const { return version == "1.00" || version == "1.10"; }
    // Reads the root's attributes, the base and the channels of the version's element set.
    void Load(const pugi::xml_node& root);
};

}  // namespace OvGraphFileLib::kmq
