// Tests of the desktop dialogs on a real display, answered from inside GTK's own modal loop.
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/file_chooser.h"
#include "platform/gtk_session.h"
#include "platform/message_box.h"

namespace {

std::vector<GtkDialog*> visibleDialogs() {
    std::vector<GtkDialog*> found;
    GList* windows = gtk_window_list_toplevels();
    for (GList* window = windows; window != nullptr; window = window->next) {
        if (GTK_IS_DIALOG(window->data) && gtk_widget_get_mapped(GTK_WIDGET(window->data))) {
            found.push_back(GTK_DIALOG(window->data));
        }
    }
    g_list_free(windows);
    return found;
}

GtkDialog* visibleDialog() {
    const std::vector<GtkDialog*> dialogs = visibleDialogs();
    return dialogs.empty() ? nullptr : dialogs.front();
}

// Calls `step` with the shown dialog (or null before it appears) until it reports that it has
// answered. Dialogs still open long after that, or never answered, are closed so that a broken
// dialog (or an unexpected second one, such as a question) fails the test instead of hanging it.
class DialogScript {
public:
    explicit DialogScript(std::function<bool(GtkDialog*)> step)
        : step_(std::move(step)), deadline_(g_get_monotonic_time() + 10 * G_USEC_PER_SEC) {
        source_ = g_timeout_add(20, &DialogScript::poll, this);
    }
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;
    ~DialogScript() {
        if (source_ != 0) {
            g_source_remove(source_);
        }
    }

private:
    static gboolean poll(gpointer data) {
        auto* self = static_cast<DialogScript*>(data);
        GtkDialog* dialog = visibleDialog();
        if (!self->answered_) {
            self->answered_ = self->step_(dialog);
        } else if (dialog == nullptr) {
            self->source_ = 0;
            return G_SOURCE_REMOVE;
        }
        if (g_get_monotonic_time() > self->deadline_) {
            ADD_FAILURE() << (self->answered_ ? "the dialog stayed open after its answer"
                                              : "the dialog never got to its answer");
            for (GtkDialog* open : visibleDialogs()) {
                gtk_dialog_response(open, GTK_RESPONSE_DELETE_EVENT);
            }
            self->source_ = 0;
            return G_SOURCE_REMOVE;
        }
        return G_SOURCE_CONTINUE;
    }

    std::function<bool(GtkDialog*)> step_;
    gint64 deadline_;
    guint source_ = 0;
    bool answered_ = false;
};

// Presses the accept button once GTK has made it usable, the way Return in the name field does.
bool pressAccept(GtkDialog* dialog) {
    GtkWidget* button = gtk_dialog_get_widget_for_response(dialog, GTK_RESPONSE_ACCEPT);
    if (button == nullptr || !gtk_widget_is_sensitive(button)) {
        return false;
    }
    gtk_widget_activate(button);
    return true;
}

// Puts a name into the Save dialog's name field, as if typed, and accepts it.
std::function<bool(GtkDialog*)> typeNameAndAccept(std::string name) {
    return [name, named = false](GtkDialog* dialog) mutable {
        if (dialog == nullptr) {
            return false;
        }
        if (!named) {
            gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(dialog), name.c_str());
            named = true;
        }
        return pressAccept(dialog);
    };
}

bool containsImageNamed(GtkWidget* widget, const char* iconName) {
    if (GTK_IS_IMAGE(widget)) {
        const gchar* name = nullptr;
        gtk_image_get_icon_name(GTK_IMAGE(widget), &name, nullptr);
        return name != nullptr && std::string(name) == iconName;
    }
    bool found = false;
    if (GTK_IS_CONTAINER(widget)) {
        GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
        for (GList* child = children; child != nullptr && !found; child = child->next) {
            found = containsImageNamed(GTK_WIDGET(child->data), iconName);
        }
        g_list_free(children);
    }
    return found;
}

int countButtons(GtkWidget* widget) {
    int count = GTK_IS_BUTTON(widget) ? 1 : 0;
    if (GTK_IS_CONTAINER(widget)) {
        GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
        for (GList* child = children; child != nullptr; child = child->next) {
            count += countButtons(GTK_WIDGET(child->data));
        }
        g_list_free(children);
    }
    return count;
}

std::string takeString(gchar* text) {
    std::string result = text != nullptr ? text : "";
    g_free(text);
    return result;
}

class DisplayDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        // Keep GTK away from the desktop's settings and accessibility services.
        setenv("GSETTINGS_BACKEND", "memory", 0);
        setenv("NO_AT_BRIDGE", "1", 0);
        if (!gtkAvailable()) {
            GTEST_SKIP() << "no display to show dialogs on";
        }
        char pattern[] = "/tmp/velloran-dialogs-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        if (folder_.empty()) {
            return;
        }
        for (const char* name : {"old.map", "other.map", "v1.2"}) {
            std::remove(inFolder(name).c_str());
        }
        std::remove(folder_.c_str());
    }

    std::string inFolder(const std::string& name) const { return folder_ + "/" + name; }
    void createFile(const std::string& name) const {
        FILE* file = std::fopen(inFolder(name).c_str(), "w");
        ASSERT_NE(file, nullptr);
        std::fclose(file);
    }

    FileChooserRequest request(FileChooserMode mode, const std::string& initialPath) const {
        FileChooserRequest request;
        request.mode = mode;
        request.title = mode == FileChooserMode::Save ? "Save Map File" : "Open Map File";
        request.filterName = "Map Data Files";
        request.filterPattern = "*.map";
        request.defaultExtension = "map";
        request.initialPath = initialPath;
        return request;
    }

    std::string folder_;
};

}  // namespace

TEST_F(DisplayDialogs, MessageBoxShowsAnErrorWithTitleTextAndOneButtonThenDisappears) {
    // File names in messages may come from disk in an older encoding than UTF-8.
    std::string title;
    std::string text;
    GtkMessageType type = GTK_MESSAGE_OTHER;
    bool hasErrorIcon = false;
    int buttons = 0;
    DialogScript script([&](GtkDialog* dialog) {
        if (dialog == nullptr) {
            return false;
        }
        title = gtk_window_get_title(GTK_WINDOW(dialog));
        gchar* shownText = nullptr;
        g_object_get(dialog, "text", &shownText, "message-type", &type, nullptr);
        text = takeString(shownText);
        hasErrorIcon = containsImageNamed(GTK_WIDGET(dialog), "dialog-error");
        buttons = countButtons(GTK_WIDGET(dialog));
        EXPECT_NE(gtk_dialog_get_widget_for_response(dialog, GTK_RESPONSE_OK), nullptr);
        gtk_dialog_response(dialog, GTK_RESPONSE_OK);
        return true;
    });

    desktopMessageBox().show("Map Error", "Cannot read the map file caf\xe9.map");

    EXPECT_EQ(title, "Map Error");
    EXPECT_EQ(text.rfind("Cannot read the map file caf", 0), 0u) << text;
    EXPECT_EQ(text.substr(text.size() - 4), ".map") << text;
    EXPECT_TRUE(g_utf8_validate(text.c_str(), -1, nullptr)) << text;
    EXPECT_EQ(type, GTK_MESSAGE_ERROR);
    EXPECT_TRUE(hasErrorIcon);
    EXPECT_EQ(buttons, 1);
    EXPECT_EQ(visibleDialog(), nullptr);
}

TEST_F(DisplayDialogs, SaveStartsAtTheLastPathAndAddsTheExtensionToATypedName) {
    std::string title;
    std::string filterName;
    std::string folder;
    std::string name;
    GtkFileChooserAction action = GTK_FILE_CHOOSER_ACTION_OPEN;
    bool renamed = false;
    DialogScript script([&](GtkDialog* dialog) {
        if (dialog == nullptr) {
            return false;
        }
        GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
        if (!renamed) {
            // GTK reports the folder once it has started reading it.
            folder = takeString(gtk_file_chooser_get_current_folder(chooser));
            if (folder.empty()) {
                return false;
            }
            title = gtk_window_get_title(GTK_WINDOW(dialog));
            action = gtk_file_chooser_get_action(chooser);
            GtkFileFilter* filter = gtk_file_chooser_get_filter(chooser);
            const gchar* shownFilterName =
                filter != nullptr ? gtk_file_filter_get_name(filter) : nullptr;
            filterName = shownFilterName != nullptr ? shownFilterName : "";
            name = takeString(gtk_file_chooser_get_current_name(chooser));
            gtk_file_chooser_set_current_name(chooser, "renamed");
            renamed = true;
        }
        return pressAccept(dialog);
    });

    const std::string chosen =
        desktopFileChooser().choose(request(FileChooserMode::Save, inFolder("old.map")));

    EXPECT_EQ(title, "Save Map File");
    EXPECT_EQ(action, GTK_FILE_CHOOSER_ACTION_SAVE);
    EXPECT_EQ(filterName, "Map Data Files");
    EXPECT_EQ(folder, folder_);
    EXPECT_EQ(name, "old.map");
    EXPECT_EQ(chosen, inFolder("renamed.map"));
    EXPECT_EQ(visibleDialog(), nullptr);
}

TEST_F(DisplayDialogs, SaveAddsTheExtensionOnlyToANameWithoutOne) {
    // The dot in the folder's name must not count as the file's extension.
    const std::string dottedFolder = inFolder("v1.2");
    ASSERT_EQ(mkdir(dottedFolder.c_str(), 0700), 0);
    for (const char* typed : {"level", "notes.txt", ".hidden"}) {
        DialogScript script(typeNameAndAccept(typed));
        const std::string expected =
            dottedFolder + "/" + typed + (std::string(typed) == "level" ? ".map" : "");
        EXPECT_EQ(desktopFileChooser().choose(request(FileChooserMode::Save, dottedFolder)),
                  expected);
    }
}

// Saving the map over its own file, the name the dialog opened with, asks nothing.
TEST_F(DisplayDialogs, SaveOverwritesThePreselectedFileWithoutAsking) {
    createFile("other.map");
    DialogScript script(typeNameAndAccept("other"));
    EXPECT_EQ(desktopFileChooser().choose(request(FileChooserMode::Save, inFolder("other.map"))),
              inFolder("other.map"));
}

TEST_F(DisplayDialogs, OpenPreselectsTheLastFileReadyToBeReplacedByTyping) {
    createFile("old.map");
    createFile("other.map");
    std::string selected;
    std::string entryText;
    bool wholeEntrySelected = false;
    DialogScript script([&](GtkDialog* dialog) {
        if (dialog == nullptr) {
            return false;
        }
        // GTK selects the file once it has read the folder.
        selected = takeString(gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog)));
        GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(dialog));
        if (selected != inFolder("other.map") || !GTK_IS_ENTRY(focus)) {
            return false;
        }
        entryText = gtk_entry_get_text(GTK_ENTRY(focus));
        int start = 0;
        int end = 0;
        wholeEntrySelected = gtk_editable_get_selection_bounds(GTK_EDITABLE(focus), &start, &end) &&
                             start == 0 && end == static_cast<int>(entryText.size());
        gtk_dialog_response(dialog, GTK_RESPONSE_CANCEL);
        return true;
    });

    EXPECT_EQ(desktopFileChooser().choose(request(FileChooserMode::Open, inFolder("other.map"))),
              "");
    EXPECT_EQ(selected, inFolder("other.map"));
    EXPECT_EQ(entryText, "other.map");
    EXPECT_TRUE(wholeEntrySelected);
}
