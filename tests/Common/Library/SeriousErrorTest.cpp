#include <gtest/gtest.h>

#include "Common/Library/SeriousError.h"

TEST(SeriousError, MessageNamesSourceFileAndLine)
{
    try {
        ORVEL_SERIOUS_ERROR();
        FAIL();
    } catch (const orvel::SeriousError& error) {
        const std::string expected = std::string("serious error:") + __FILE__ + "(" + std::to_string(__LINE__ - 3) + ")";
        EXPECT_EQ(expected, error.what());
    }
}
