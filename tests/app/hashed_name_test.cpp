// Command names: the CRC-32 and how names compare.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "app/command_names.h"

TEST(HashedName, EmptyNameHashesToZeroAndIsNoCommand) {
    EXPECT_EQ(HashedName("").hash, 0u);
    EXPECT_EQ(HashedName(std::string()).hash, 0u);
    EXPECT_EQ(HashedName(), cmd::None);
    EXPECT_NE(HashedName("Exit"), cmd::None);
}

TEST(HashedName, MatchesTheStandardCheckValue) {
    EXPECT_EQ(HashedName("123456789").hash, 0xCBF43926u);
    EXPECT_EQ(crc32Of("The quick brown fox jumps over the lazy dog", 43), 0x414FA339u);
}

TEST(HashedName, EmbeddedNulCountsForStringsButEndsCharacterStrings) {
    const std::string withNul("ab\0cd", 5);
    EXPECT_EQ(HashedName(withNul).hash, crc32Of(withNul.data(), 5));
    EXPECT_NE(HashedName(withNul), HashedName("ab"));
    EXPECT_EQ(HashedName(withNul.c_str()), HashedName("ab"));
    EXPECT_EQ(HashedName(withNul.c_str()).text, "ab");
}

TEST(HashedName, CharacterStringAndStringObjectAgree) {
    EXPECT_EQ(HashedName("Layer Change"), HashedName(std::string("Layer Change")));
}

TEST(HashedName, LetterCaseMakesADifferentCommand) {
    EXPECT_NE(HashedName("Layer"), HashedName("layer"));
}

TEST(HashedName, VocabularyHasNoCollisions) {
    const std::vector<std::string> names = {"",
                                            "Exit",
                                            "New",
                                            "ReSize",
                                            "Save",
                                            "Open",
                                            "About Velloran",
                                            "Pick Brush",
                                            "Shuffle RB",
                                            "Shuffle LB",
                                            "Fill Edge",
                                            "Fill",
                                            "Draw",
                                            "Draw Random",
                                            "Fill Random",
                                            "Undo",
                                            "Add",
                                            "Hide",
                                            "Show",
                                            "Clear",
                                            "File",
                                            "Edit",
                                            "Brush",
                                            "Layer",
                                            "Map",
                                            "Help",
                                            "Button OK",
                                            "Button Resize Map",
                                            "Create Map",
                                            "SetCaption_SizeDimensions",
                                            "ScrollUp",
                                            "ScrollDown",
                                            "ScrollLeft",
                                            "ScrollRight",
                                            "Layer Change",
                                            "Layer Hide",
                                            "Layer Show",
                                            "Layer Clear",
                                            "Toggle HideShow",
                                            "Remove"};
    std::set<uint32_t> hashes;
    for (const auto& name : names) hashes.insert(HashedName(name).hash);
    EXPECT_EQ(hashes.size(), names.size());
    EXPECT_EQ(cmd::SetCaptionSizeDimensions.text, "SetCaption_SizeDimensions");
    EXPECT_EQ(cmd::AboutVelloran, HashedName("About Velloran"));
}
