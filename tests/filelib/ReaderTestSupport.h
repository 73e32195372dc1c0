#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <sstream>
#include <string>

#include "filelib/ChConstants.h"
#include "filelib/ICh.h"
#include "filelib/Result.h"

// What the reader tests share: the channel sentinels, loading a reader from bytes, and the
// truncation check that cuts a valid file at every length.
namespace OvGraphFileLib::test {

constexpr double kInvalid = INVALID_VALUE;
constexpr double kNoUpper = NO_UPPER_LIMIT;
constexpr double kNoLower = NO_LOWER_LIMIT;
constexpr int64_t kNotGiven = NOT_GIVEN;

struct Loaded {
    Result result;
    ChList channels;
};

// Loads the bytes with a new reader; the channels only when the load succeeded.
template <class Reader>
Loaded LoadWith(const std::string& bytes)
{
    Reader file;
    std::istringstream in(bytes);
    Loaded loaded{file.Load(in), {}};
    if (loaded.result.Ok()) loaded.channels = file.GetChList();
    return loaded;
}

// The field a cut falls in: cuts before `end` fail at `location`.
struct FieldEnd {
    size_t end;
    int32_t location;
};

// Every proper prefix of the bytes fails with code 52 at the location of the field it cuts; the
// whole file loads.
template <class Reader>
void ExpectTruncationLocations(const std::string& bytes, std::initializer_list<FieldEnd> fields)
{
    ASSERT_EQ(bytes.size(), (fields.end() - 1)->end);
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        const auto field = std::find_if(fields.begin(), fields.end(), [cut](const FieldEnd& f) { return cut < f.end; });
        const Result r = LoadWith<Reader>(bytes.substr(0, cut)).result;
        EXPECT_EQ(52, r.code) << "cut at " << cut;
        EXPECT_EQ(field->location, r.location) << "cut at " << cut;
    }
    EXPECT_EQ(0, LoadWith<Reader>(bytes).result.code);
}

}  // namespace OvGraphFileLib::test
