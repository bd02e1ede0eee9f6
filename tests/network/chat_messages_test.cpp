#include "network/chat_messages.h"

#include <gtest/gtest.h>

#include "network/service_form.h"

namespace kesp {

TEST(ChatMessages, MessageIsAListRecordWithCleanedTextAndStamp) {
    const ChatSender sender{"Anna", "Omsk", "1-022", "W"};
    const TZunRecord r = MakeChatMessage(sender, "Hi all: 2 <b>$*~ мир", "10:02:03 PM", "12/10/26", 7);
    EXPECT_EQ(r.GID, kChatList);
    EXPECT_EQ(r.Score, 7);
    EXPECT_EQ(r.Nick, "Anna");
    EXPECT_EQ(r.City, "Omsk");
    EXPECT_EQ(r.Country, "1-022");
    EXPECT_EQ(r.R07, "W");
    EXPECT_EQ(r.R08, "5.7f");
    EXPECT_EQ(r.R09, "Hi_all__2__b_____мир");
    EXPECT_EQ(r.R10, "10:02:03_PM_12/10/26_Kesp");
    EXPECT_EQ(ChatShownText(r.R09), "Hi all  2  b     мир");
    EXPECT_EQ(ChatShownText("#"), "");
}

TEST(ChatMessages, TextIsCutAtEightyCharactersNotBytes) {
    const std::string latin(200, 'x');
    std::string text;
    for (int i = 0; i < 100; ++i) text += "ж";
    const TZunRecord r = MakeChatMessage({}, text, "1", "2", 1);
    EXPECT_EQ(r.R09.size(), 160u);  // 80 two-byte letters
    EXPECT_EQ(MakeChatMessage({}, "", "1", "2", 1).R09, "#");
    EXPECT_EQ(MakeChatMessage({}, latin, "1", "2", 1).R09.size(), 80u);
}

TEST(ChatMessages, NewsNumberTable) {
    const struct {
        const char* page;
        int number;
    } cases[] = {
        {"<p hidden>ZunNews00042</p>", 42},
        {"ZunNews12345", 12345},
        {"ZunNews1234567", 12345},
        {"ZunNews12", 12},  // the page ends early
        {"ZunNewsabcde", 0},
        {"ZunNews12a45", 0},
        {"ZunNews-0001", 0},
        {"ZunNews", 0},
        {"no tag here", 0},
        {"", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(NewsNumber(c.page), c.number) << c.page;
}

TEST(ChatMessages, NewestNumberOfAList) {
    std::vector<TZunRecord> list(3);
    list[0].Score = 9;
    list[1].Score = 12;
    list[2].Score = 3;
    EXPECT_EQ(NewestChatNumber(list), 12);
    EXPECT_EQ(NewestChatNumber({}), 0);
}

}  // namespace kesp
