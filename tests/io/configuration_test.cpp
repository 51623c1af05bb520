// Reading Configuration.xml into the settings.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "app/command_names.h"
#include "app/editor.h"
#include "io/read_configuration.h"
#include "tests/support/test_editor.h"

namespace {
struct ConfigurationTest : ::testing::Test {
    TestFolder folder;
    Editor editor;

    void read(const std::string& xml) {
        folder.write("Configuration.xml", xml);
        readConfiguration(editor, "Configuration.xml");
    }
};
}  // namespace

TEST_F(ConfigurationTest, DefaultsStandWithoutAFile) {
    readConfiguration(editor, "Configuration.xml");
    EXPECT_EQ(intSetting(editor, "KeyboardScrollSpeed"), 30);
    EXPECT_EQ(stringSetting(editor, "TileImages"), "c:/default.png");
    EXPECT_EQ(intSetting(editor, "MapWidth"), 0);
    EXPECT_EQ(stringSetting(editor, "BaseImages"), "");
}

TEST_F(ConfigurationTest, MalformedFileKeepsTheDefaults) {
    read("<Data><integer Name=\"MapWidth\" Value=\"5\"></Data");
    EXPECT_EQ(intSetting(editor, "MapWidth"), 0);
    EXPECT_EQ(intSetting(editor, "KeyboardScrollSpeed"), 30);
}

TEST_F(ConfigurationTest, IntegersAreReadLikeAtoi) {
    read(R"(<Data>
      <integer Name="A" Value="12abc"/>
      <integer Name="B" Value="abc"/>
      <integer Name="C"/>
      <integer Name="D" Value="  -7"/>
      <integer Name="E" Value="99999999999999"/>
    </Data>)");
    EXPECT_EQ(intSetting(editor, "A"), 12);
    EXPECT_EQ(intSetting(editor, "B"), 0);
    EXPECT_EQ(intSetting(editor, "C"), 0);
    EXPECT_EQ(intSetting(editor, "D"), -7);
    EXPECT_EQ(intSetting(editor, "E"), 2147483647);
}

TEST_F(ConfigurationTest, StringsBeforeIntegersAndIntegersAfterStringsAreAllRead) {
    read(R"(<Data>
      <string Name="Layer1" Value="Ground"/>
      <integer Name="MapWidth" Value="40"/>
      <string Name="TileImages" Value="a &amp; b.png"/>
      <integer Name="MapHeight" Value="30"/>
    </Data>)");
    EXPECT_EQ(stringSetting(editor, "Layer1"), "Ground");
    EXPECT_EQ(stringSetting(editor, "TileImages"), "a & b.png");
    EXPECT_EQ(intSetting(editor, "MapWidth"), 40);
    EXPECT_EQ(intSetting(editor, "MapHeight"), 30);
}

TEST_F(ConfigurationTest, NamesDifferingOnlyInCaseAreNotRecognised) {
    read(R"(<Data>
      <Integer Name="MapWidth" Value="40"/>
      <integer name="MapHeight" Value="30"/>
      <integer Name="MapDepth" value="3"/>
      <STRING Name="Layer1" Value="Ground"/>
      <string Name="Layer2" VALUE="Sky"/>
      <integer Name="mapwidth" Value="9"/>
    </Data>)");
    EXPECT_EQ(intSetting(editor, "MapWidth"), 0);
    EXPECT_EQ(intSetting(editor, "MapHeight"), 0);
    EXPECT_EQ(intSetting(editor, "MapDepth"), 0);
    EXPECT_EQ(intSetting(editor, "mapwidth"), 9);
    EXPECT_EQ(stringSetting(editor, "Layer1"), "");
    EXPECT_EQ(editor.settings.strings.count("Layer2"), 0u);  // a string needs its Value
}

TEST_F(ConfigurationTest, OnlyTheFirstDataElementIsRead) {
    read(R"(<?xml version="1.0"?>
      <Data><integer Name="MapWidth" Value="10"/></Data>
      <Data><integer Name="MapWidth" Value="20"/><integer Name="MapHeight" Value="5"/></Data>)");
    EXPECT_EQ(intSetting(editor, "MapWidth"), 10);
    EXPECT_EQ(intSetting(editor, "MapHeight"), 0);
}

TEST_F(ConfigurationTest, LaterDuplicatesWinAndIncompleteElementsAreSkipped) {
    read(R"(<Data>
      <integer Name="MapWidth" Value="10"/>
      <integer Name="MapWidth" Value="11"/>
      <integer Value="12"/>
      <string Name="Layer1"/>
      <string Value="lost"/>
      <other Name="Layer3" Value="x"/>
      <string Name="Layer2" Value="Top"><nested Name="Layer4" Value="y"/></string>
    </Data>)");
    EXPECT_EQ(intSetting(editor, "MapWidth"), 11);
    EXPECT_EQ(editor.settings.strings.count("Layer1"), 0u);
    EXPECT_EQ(editor.settings.strings.count("Layer3"), 0u);
    EXPECT_EQ(editor.settings.strings.count("Layer4"), 0u);
    EXPECT_EQ(stringSetting(editor, "Layer2"), "Top");
}

TEST_F(ConfigurationTest, NoDataElementGivesNoSettings) {
    read(R"(<Settings><integer Name="MapWidth" Value="10"/></Settings>)");
    EXPECT_EQ(intSetting(editor, "MapWidth"), 0);
}

TEST_F(ConfigurationTest, MissingSettingReadsEmptyAndIsInserted) {
    EXPECT_EQ(editor.settings.strings.count("Layer5"), 0u);
    editor.currentLayer = 5;
    EXPECT_EQ(currentLayerName(editor), "");
    EXPECT_EQ(editor.settings.strings.count("Layer5"), 1u);
    EXPECT_EQ(currentMapLayer(editor), nullptr);
}

// The text the reader is given stops where the file does: a file cut inside a multi-byte
// character is malformed, not read on past its end (the memory checker run of these tests
// would see such a read), and every kind of line end reads as a plain line feed.
TEST_F(ConfigurationTest, FileCutInsideACharacterOrWithOtherLineEndsReadsOnlyItsText) {
    read(
        "<?xml version=\"1.0\"?>\n<Data>\n<integer Name=\"MapWidth\" Value=\"7\"/>\n"
        "<string Name=\"Layer1\" Value=\"Ma\xc3");
    EXPECT_EQ(intSetting(editor, "MapWidth"), 0);
    EXPECT_EQ(stringSetting(editor, "Layer1"), "");

    const char* lineEnds[] = {"\n", "\r\n", "\r"};
    for (const char* end : lineEnds) {
        SCOPED_TRACE(testing::PrintToString(end));
        Editor fresh;
        const std::string eol = end;
        folder.write("Configuration.xml", "<Data>" + eol +
                                              "<integer Name=\"MapWidth\" Value=\"9\"/>" + eol +
                                              "<string Name=\"Layer1\" Value=\"a" + eol + "b\"/>" +
                                              eol + "</Data>" + eol);
        readConfiguration(fresh, "Configuration.xml");
        EXPECT_EQ(intSetting(fresh, "MapWidth"), 9);
        EXPECT_EQ(stringSetting(fresh, "Layer1"), "a\nb");
    }
}

// Refused before the XML reader sees it, with a warning naming it and why; the defaults stand.
TEST_F(ConfigurationTest, FilesTheReaderCannotSurviveAreRefusedWithAWarning) {
    const auto times = [](int count, const std::string& text) {
        std::string out;
        while (count-- > 0) out += text;
        return out;
    };
    const std::string start = "<Data><integer Name=\"MapWidth\" Value=\"5\"/>";
    const std::pair<std::string, const char*> cases[] = {
        {"folder", "it is a folder"},          // read as a stream, it throws
        {"fifo", "it is not a regular file"},  // opened without O_NONBLOCK, it waits forever
        {start + std::string(1 << 20, ' '), "it is larger than 1048576 bytes"},
        {start + times(64, "<a>"), "its elements nest more than 64 deep"},
        // 71 deep, but a comment end looked for from the comment's own start would close 40.
        {start + times(40, "<a>") + "<!-->" + times(40, "</a>") + "-->" + times(30, "<a>"),
         "its elements nest more than 64 deep"},
        {start + "<a" + times(65, " a=''"), "an element has more than 64 attributes"},
    };
    for (const auto& [text, reason] : cases) {
        std::filesystem::remove_all("Configuration.xml");
        if (text == "folder") std::filesystem::create_directory("Configuration.xml");
        if (text == "fifo") mkfifo("Configuration.xml", 0644);
        if (text.size() > 6) folder.write("Configuration.xml", text);
        ScriptedMessageBox messages;
        editor.messageBox = &messages;
        readConfiguration(editor, "Configuration.xml");
        EXPECT_EQ(intSetting(editor, "MapWidth"), 0);
        ASSERT_EQ(messages.shown.size(), 1u) << reason;
        EXPECT_EQ(messages.shown[0].title, kWarningTitle);
        EXPECT_NE(
            messages.shown[0].text.find("Configuration.xml was not read: " + std::string(reason)),
            std::string::npos);
    }
}
