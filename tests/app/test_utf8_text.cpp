#include "app/utf8_text.h"

#include <gtest/gtest.h>

TEST(utf8_text, counts_characters_of_one_to_four_bytes)
{
    EXPECT_EQ(utf8_length(""), 0u);
    EXPECT_EQ(utf8_length("abc"), 3u);
    EXPECT_EQ(utf8_length("Grüße"), 5u);
    EXPECT_EQ(utf8_length("€ 5"), 3u);
    EXPECT_EQ(utf8_length("a🎲b"), 3u);
}

TEST(utf8_text, a_prefix_ends_between_characters)
{
    EXPECT_EQ(utf8_prefix("Grüße", 3), "Grü");
    EXPECT_EQ(utf8_prefix("Grüße", 2), "Gr");
    EXPECT_EQ(utf8_prefix("🎲🎲🎲", 2), "🎲🎲");
    EXPECT_EQ(utf8_prefix("Grüße", 0), "");
    EXPECT_EQ(utf8_prefix("Grüße", 99), "Grüße");
}

TEST(utf8_text, malformed_bytes_count_one_each_and_stay_in_bounds)
{
    // Latin-1 "Grün" and "café au lait": ü can start nothing, é announces
    // three bytes, but the letters after it are no part of it.
    EXPECT_EQ(utf8_length("Gr\xfcn"), 4u);
    EXPECT_EQ(utf8_prefix("Gr\xfcn", 3), "Gr\xfc");
    EXPECT_EQ(utf8_length("caf\xe9 au lait"), 12u);
    EXPECT_EQ(utf8_prefix("caf\xe9 au lait", 5), "caf\xe9 ");
    // Stray continuation bytes and bytes that can never start a character.
    EXPECT_EQ(utf8_length("\x80\xbf\xc0\xff"), 4u);
    // A character cut short by the end of the text is one character, kept whole.
    EXPECT_EQ(utf8_length("ab\xe2\x82"), 3u);
    EXPECT_EQ(utf8_prefix("ab\xe2\x82", 3), "ab\xe2\x82");
    // A lead byte never swallows more than it announces.
    EXPECT_EQ(utf8_length("\xc3\xa4\xa4"), 2u);
}
