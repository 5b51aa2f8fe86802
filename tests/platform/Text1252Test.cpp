#include "platform/Text1252.h"

#include <gtest/gtest.h>

namespace ploq {
namespace {

TEST(Text1252, EveryByteRoundTripsThroughUtf8)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Text1252, KnownCharacters)
{
    EXPECT_EQ(Cp1252ToUtf8("\xB0"), "\u00B0");
    EXPECT_EQ(Cp1252ToUtf8("p\xF4le"), "p\u00F4le");
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\u20AC");
    EXPECT_EQ(Utf8ToCp1252("\u2019"), "\x92");
    EXPECT_EQ(Utf8ToCp1252("\u4E2D"), "?") << "no Chinese in Windows-1252";
    EXPECT_EQ(Utf8ToCp1252("\xC3"), "?") << "a cut sequence";
    EXPECT_EQ(Utf8ToCp1252("a\xFF" "b"), "a?b");
}

} // namespace
} // namespace ploq
