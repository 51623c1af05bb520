// The JSON reader takes exactly the JSON grammar, decodes strings, keeps chosen values unread
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
        {"\xEF\xBB\xBF[1]", true},  // a byte-order mark, as some editors save
        {"[1]\xEF\xBB\xBF", false},
    };
    for (const auto& c : cases) {
        JsonReader json(c.text.data(), c.text.size());
        EXPECT_EQ(json.skip() && json.finish(), c.valid)
            << c.text.substr(0, 40) << " " << json.error();
    }
}

TEST(MapToolJsonReader, DecodesStringsAndKeepsChosenMembersInPlace) {
    const std::string text = R"({"name":"a\"b\\c\u00e9\ud83d\ude00\/","data":[1, 2 ,3],"n":7})";
    JsonReader json(text.data(), text.size());
    std::string name;
    const char* begin = nullptr;
    const char* end = nullptr;
    double n = 0;
    ASSERT_TRUE(json.object([&](const std::string& member) {
        if (member == "name") return json.string(name, 100);
        if (member == "data") return json.skip(begin, end);
        return json.number(n);
    }) && json.finish())
        << json.error();
    EXPECT_EQ(name, "a\"b\\c\xC3\xA9\xF0\x9F\x98\x80/");
    EXPECT_EQ(std::string(begin, end), "[1, 2 ,3]");
    EXPECT_EQ(n, 7);
}
