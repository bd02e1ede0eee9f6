// The cipher and the reply texts that the game and kesp-service share, and the service's reading
// of the two body forms.
#include <gtest/gtest.h>

#include "network/service_cipher.h"
#include "network/service_text.h"
#include "service/form_body.h"

namespace kesp {
namespace {

TEST(ServiceCipher, RoundTripsEveryKeyAndLengthWithPrintableText) {
    for (const char* name : {"AccountAddress", "StatisticsAddress", "WorldTopTenAddress",
                             "PictureStorePassword", "UserPassword"}) {
        const CipherKey key = *CipherKeyByName(name);
        for (const std::string plain :
             {"", "a", "ab", "abc", "http://127.0.0.1:25680/account", "\x01\xff\xe0 #$~"}) {
            const std::string text = Encipher(plain, key);
            EXPECT_EQ((plain.size() * 4 + 2) / 3, text.size());
            EXPECT_EQ(std::string::npos, text.find_first_of("#$*~&= \r\n")) << text;
            EXPECT_EQ(plain, Decipher(text, key)) << name;
        }
    }
    EXPECT_NE(Encipher("same", CipherKey::AccountAddress), Encipher("same", CipherKey::NewsAddress));
    EXPECT_FALSE(CipherKeyByName("NoSuchAddress"));
    EXPECT_FALSE(Decipher("abcde", CipherKey::AccountAddress)) << "impossible length";
    EXPECT_FALSE(Decipher("ab#d", CipherKey::AccountAddress)) << "outside the alphabet";
}

TEST(ServiceText, RealsArePlainDecimalsWithAPoint) {
    const std::pair<double, const char*> cases[] = {{0.000001, "0"},     {-0.000009, "0"},
                                                    {12.5, "12.5"},      {0.00005, "0.00005"},
                                                    {-3.25, "-3.25"},    {1e20, "100000000000000000000"},
                                                    {0.1 + 0.2, "0.3"},  {1.0 / 3, "0.333333333333333"},
                                                    {0.00001, "0.00001"}};
    for (const auto& [value, text] : cases) EXPECT_EQ(text, FormatServiceReal(value)) << value;
    EXPECT_EQ(12.5, ParseServiceReal("12.5"));
    EXPECT_EQ(-0.5, ParseServiceReal("-.5"));
    for (const char* bad : {"", "-", ".", "1e-05", "12,5", "1.2.3", " 1", "nan", "inf", "0x10"})
        EXPECT_FALSE(ParseServiceReal(bad)) << bad;
}

TEST(ServiceText, RecordValuesNeverSplitARecord) {
    EXPECT_EQ("#", BlankRecordValue(""));
    EXPECT_EQ("New_York", BlankRecordValue("New York"));
    EXPECT_EQ("ab", BlankRecordValue("a$*~b"));
    EXPECT_EQ("I play", ProfileRecordValue("I ~play$"));
    EXPECT_EQ("#", ProfileRecordValue("~"));
    EXPECT_EQ("$a b$", ServiceRecord({"a", "b"}, ' ', '$'));
    EXPECT_EQ("$1~2*", ServiceRecord({"1", "2"}, '~', '*'));
}

TEST(FormBody, ListFormDecodesAndTextFormKeepsValuesLiterally) {
    using service::ReadListForm;
    using service::ReadTextForm;
    EXPECT_EQ((std::vector<std::string>{"Anna", "0"}),
              ReadListForm("nick=Anna&&labelinforead=0", {"nick", "labelinforead"}));
    EXPECT_EQ((std::vector<std::string>{"\xC0\xED", "a b"}),
              ReadListForm("nick=%C0%ED&&pw=a+b", {"nick", "pw"}));
    for (const char* bad :
         {"nick=Anna", "pw=1&&nick=Anna", "nick=%C&&pw=1", "nick=A&&pw=1&&x=2", "nick&&pw=1"})
        EXPECT_FALSE(ReadListForm(bad, {"nick", "pw"})) << bad;
    EXPECT_EQ((std::vector<std::string>{"a&b=c%+", "x"}),
              ReadTextForm("about=a&b=c%+&ok=x", {"about", "ok"}));
    EXPECT_EQ((std::vector<std::string>{"", ""}), ReadTextForm("about=&ok=", {"about", "ok"}));
    EXPECT_FALSE(ReadTextForm("ok=x&about=y", {"about", "ok"}));
    EXPECT_FALSE(ReadTextForm("about=y", {"about", "ok"}));
}

}  // namespace
}  // namespace kesp
