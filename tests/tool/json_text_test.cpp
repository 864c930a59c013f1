#include "text/utf8.h"
#include "tools/merulan-tool/json_text.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <random>

namespace merulan::tool {
namespace {

std::string json(std::u16string_view text) {
    std::string out;
    appendJsonString(out, text);
    return out;
}

TEST(JsonText, Escapes) {
    struct Case {
        std::u16string text;
        std::string expected;
    };
    const Case cases[] = {
        {u"", "\"\""},
        {u"a\"b\\c/d", "\"a\\\"b\\\\c/d\""},
        {u"\t\r\n\b\f", "\"\\t\\r\\n\\b\\f\""},
        {std::u16string(u"\0\x01\x1F\x7F", 4), "\"\\u0000\\u0001\\u001f\x7F\""},
        {u"検索", "\"\xE6\xA4\x9C\xE7\xB4\xA2\""},
        {u"\U0001F600", "\"\xF0\x9F\x98\x80\""},
        {std::u16string{char16_t(0xD800), u'x'}, "\"\\ud800x\""},                   // lone high surrogate
        {std::u16string{char16_t(0xDC00), char16_t(0xD83D)}, "\"\\udc00\\ud83d\""}, // halves in the wrong order
        {std::u16string{u'a', char16_t(0xDBFF)}, "\"a\\udbff\""},                   // cut at the end
    };
    for (const auto& c : cases) {
        EXPECT_EQ(json(c.text), c.expected);
    }
}

// Whatever well-formed text goes in, a JSON parser reads back the same text.
TEST(JsonText, ParsersReadBackRandomText) {
    std::mt19937 random(11);
    const char16_t interesting[] = {u'"', u'\\', u'/', u'\t', u'\n', u'\r',  0,
                                    1,    0x1F,  0x7F, u'a',  u'検', 0xFFFF, 0xFF5E};
    for (int round = 0; round < 2000; ++round) {
        std::u16string text;
        const size_t length = random() % 12;
        for (size_t i = 0; i < length; ++i) {
            switch (random() % 3) {
            case 0:
                text += interesting[random() % std::size(interesting)];
                break;
            case 1:
                text += u"\U0001F600";
                break;
            default:
                text += static_cast<char16_t>(random() % 0xD800);
            }
        }
        const std::string written = json(text);
        ASSERT_EQ(nlohmann::json::parse(written).get<std::string>(), toUtf8(text)) << written;
    }
}

} // namespace
} // namespace merulan::tool
