// Reading Configuration.xml into the settings.
#include "io/configuration.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "app/command_names.h"
#include "app/editor.h"
#include "tests/support/test_editor.h"

namespace {
struct ConfigurationTest : ::testing::Test {
    TestFolder folder;
    Editor editor;
    ScriptedMessageBox messages;
    void SetUp() override { editor.messageBox = &messages; }

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
    EXPECT_EQ(editor.stringSettings.count("Layer2"), 0u);  // a string needs its Value
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
    EXPECT_EQ(editor.stringSettings.count("Layer1"), 0u);
    EXPECT_EQ(editor.stringSettings.count("Layer3"), 0u);
    EXPECT_EQ(editor.stringSettings.count("Layer4"), 0u);
    EXPECT_EQ(stringSetting(editor, "Layer2"), "Top");
}

TEST_F(ConfigurationTest, NoDataElementGivesNoSettings) {
    read(R"(<Settings><integer Name="MapWidth" Value="10"/></Settings>)");
    EXPECT_EQ(intSetting(editor, "MapWidth"), 0);
}

TEST_F(ConfigurationTest, MissingSettingReadsEmptyAndIsInserted) {
    EXPECT_EQ(editor.stringSettings.count("Layer5"), 0u);
    editor.currentLayer = 5;
    EXPECT_EQ(currentLayerName(editor), "");
    EXPECT_EQ(editor.stringSettings.count("Layer5"), 1u);
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

// Each file is refused before the XML reader sees it, with a warning naming it and the reason,
// and the built-in settings stand.
TEST_F(ConfigurationTest, FilesTheReaderCannotSurviveAreRefusedWithAWarning) {
    const std::string setting = "<integer Name=\"MapWidth\" Value=\"5\"/>";
    const auto times = [](int count, const std::string& text) {
        std::string out;
        for (int i = 0; i < count; ++i) out += text;
        return out;
    };
    const auto nested = [&](int depth) {
        return "<Data>" + setting + times(depth - 1, "<a>") + times(depth - 1, "</a>") + "</Data>";
    };
    // 71 deep; a comment end looked for from the comment's own start would close 40 of them.
    const std::string hidden = "<Data>" + setting + times(40, "<a>") + "<!-->" + times(40, "</a>") +
                               "-->" + times(30, "<a>") + times(70, "</a>") + "</Data>";
    std::string attributes = "<Data>" + setting + "<a";
    for (int i = 0; i < 65; ++i) attributes += " a" + std::to_string(i) + "=\"\"";
    const struct {
        const char* what;  // the slip the row catches
        std::string text;  // "folder" and "fifo" make such a node instead
        const char* reason;
    } cases[] = {
        {"a folder read as a stream throws", "folder", "it is a folder"},
        {"a FIFO opened without O_NONBLOCK waits forever", "fifo", "it is not a regular file"},
        {"no size limit", nested(2) + std::string(1 << 20, ' '), "larger than 1048576 bytes"},
        {"no nesting limit", nested(65), "nest more than 64 deep"},
        {"a nesting limit one too low", nested(64), ""},
        {"a comment end searched from its start", hidden, "nest more than 64 deep"},
        {"no attribute limit", attributes + "/></Data>", "more than 64 attributes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all("Configuration.xml");
        if (c.text == "folder") {
            std::filesystem::create_directory("Configuration.xml");
        } else if (c.text == "fifo") {
            mkfifo("Configuration.xml", 0644);
        } else {
            folder.write("Configuration.xml", c.text);
        }
        Editor fresh;
        fresh.messageBox = &messages;
        messages.shown.clear();
        readConfiguration(fresh, "Configuration.xml");
        if (*c.reason == '\0') {
            EXPECT_TRUE(messages.shown.empty());
            EXPECT_EQ(intSetting(fresh, "MapWidth"), 5);
            continue;
        }
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].title, kWarningTitle);
        EXPECT_NE(messages.shown[0].text.find("Configuration.xml"), std::string::npos);
        EXPECT_NE(messages.shown[0].text.find(c.reason), std::string::npos)
            << messages.shown[0].text;
        EXPECT_EQ(intSetting(fresh, "MapWidth"), 0);
        EXPECT_EQ(intSetting(fresh, "KeyboardScrollSpeed"), 30);
    }
}
