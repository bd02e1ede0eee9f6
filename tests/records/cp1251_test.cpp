#include "records/cp1251.h"

#include <gtest/gtest.h>

namespace kesp {

TEST(Cp1251, CardCharactersRoundTrip) {
    const std::string bytes = "\x31\xF7\xD2\xEF\xC2\xE1\xC4\xEA\xCA";  // 1ч Тп Вб Дк К
    const std::string text = Cp1251ToUtf8(bytes);
    EXPECT_EQ(text, "1чТпВбДкК");
    EXPECT_EQ(Utf8ToCp1251(text), bytes);
}

TEST(Cp1251, UnwritableTextIsRefused) {
    EXPECT_FALSE(Utf8ToCp1251("中文").has_value());
    EXPECT_FALSE(Utf8ToCp1251("\xFF\xFE").has_value());
}

TEST(Cp1251, UnassignedByteBecomesReplacementCharacter) {
    EXPECT_EQ(Cp1251ToUtf8(std::string("a\x98"
                                       "b")),
              "a\xEF\xBF\xBD"
              "b");
}

}  // namespace kesp
