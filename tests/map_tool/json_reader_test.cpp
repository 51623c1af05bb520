// The JSON reader takes exactly the JSON grammar, decodes strings, keeps chosen members unread
// and refuses nesting deeper than it follows.
#include "maptool/json_reader.h"

#include <gtest/gtest.h>

TEST(MapToolJsonReader, AcceptsJsonAndRefusesEverythingElse) {
    const struct {
        std::string text;
        bool valid;
    } cases[] = {
        {R"({"a":[1,-2.5e3,true,false,null,"x"],"b":{}})", true},
        {" [ ] ", true},
        {std::string(64, '[') + std::string(64, ']'), true},
        {std::string(65, '[') + std::string(65, ']'), false},  // deeper than followed
        {std::string(100000, '['), false},                     // no recursion bomb
        {"[1,]", false},
        {"{a:1}", false},
        {"[01]", false},
        {"[1.]", false},
        {"[\"\\ud800\"]", false},  // half a surrogate pair
        {"[\"tab\there\"]", false},
        {"[1] [2]", false},
        {"", false},
        {"[\"open", false},
        {"nul", false},
    };
    for (const auto& c : cases) {
        JsonValue value;
        std::string error;
        EXPECT_EQ(readJson(c.text.data(), c.text.size(), {}, value, error), c.valid)
            << c.text.substr(0, 40) << " " << error;
    }
}

TEST(MapToolJsonReader, DecodesStringsAndKeepsChosenMembersInPlace) {
    const std::string text = R"({"name":"a\"b\\c\u00e9\ud83d\ude00\/","data":[1, 2 ,3],"n":7})";
    JsonValue value;
    std::string error;
    ASSERT_TRUE(readJson(text.data(), text.size(), {"data"}, value, error)) << error;
    EXPECT_EQ(value.member("name")->text, "a\"b\\c\xC3\xA9\xF0\x9F\x98\x80/");
    const JsonValue* data = value.member("data");
    ASSERT_EQ(data->kind, JsonValue::Kind::Kept);
    EXPECT_EQ(std::string(data->begin, data->end), "[1, 2 ,3]");
    EXPECT_EQ(value.member("n")->number, 7);
}
