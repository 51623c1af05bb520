// The desktop file chooser, a modal GTK file dialog for opening and saving maps.
#include <gtk/gtk.h>

#include "platform/file_chooser.h"
#include "platform/gtk_chooser_keyboard.h"
#include "platform/gtk_session.h"

namespace {

// GTK takes and gives paths in the file system's encoding; the editor works in UTF-8.
std::string toUtf8(const char* fileName) {
    gchar* utf8 = g_filename_to_utf8(fileName, -1, nullptr, nullptr, nullptr);
    if (utf8 == nullptr) {
        // A name that isn't valid UTF-8 still names the file on Linux, which is better for the
        // caller than an empty string that would read as "cancelled".
        return fileName;
    }
    std::string result(utf8);
    g_free(utf8);
    return result;
}

GFile* fileFromUtf8(const std::string& path) {
    gchar* fileName = g_filename_from_utf8(path.c_str(), -1, nullptr, nullptr, nullptr);
    // Relative paths are resolved against the working directory, like the editor's own opens.
    GFile* file = g_file_new_for_path(fileName != nullptr ? fileName : path.c_str());
    g_free(fileName);
    return file;
}

bool isDirectory(GFile* file) {
    return file != nullptr &&
           g_file_query_file_type(file, G_FILE_QUERY_INFO_NONE, nullptr) == G_FILE_TYPE_DIRECTORY;
}

// Points the dialog at the last chosen path. A folder that doesn't exist is left alone, since
// GTK would pop up an error about it before the user has done anything.
void preselect(GtkFileChooser* chooser, FileChooserMode mode, const std::string& path) {
    GFile* file = fileFromUtf8(path);
    GFileType type = g_file_query_file_type(file, G_FILE_QUERY_INFO_NONE, nullptr);
    if (type == G_FILE_TYPE_DIRECTORY) {
        gtk_file_chooser_set_current_folder_file(chooser, file, nullptr);
    } else if (mode == FileChooserMode::Open && type != G_FILE_TYPE_UNKNOWN) {
        gtk_file_chooser_select_file(chooser, file, nullptr);
    } else {
        GFile* folder = g_file_get_parent(file);
        if (isDirectory(folder)) {
            gtk_file_chooser_set_current_folder_file(chooser, folder, nullptr);
        }
        if (folder != nullptr) {
            g_object_unref(folder);
        }
        if (mode == FileChooserMode::Save) {
            gchar* name = g_file_get_basename(file);
            gtk_file_chooser_set_current_name(chooser, toUtf8(name).c_str());
            g_free(name);
        }
    }
    g_object_unref(file);
}

bool hasExtension(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    const std::string::size_type nameStart = slash == std::string::npos ? 0 : slash + 1;
    return path.find('.', nameStart) != std::string::npos;
}

// The file a save would write: the chosen name, with the extension added to a name without one.
std::string savedPath(std::string chosen, const std::string& extension) {
    if (!extension.empty() && !hasExtension(chosen)) chosen += "." + extension;
    return chosen;
}

// Saving over the map's own file, the name the dialog opened with, is the common case and asks
// nothing; saving over any other existing file does.
bool needsConfirmation(const char* fileName, const std::string& preselected) {
    if (!g_file_test(fileName, G_FILE_TEST_EXISTS)) return false;
    if (preselected.empty()) return true;
    GFile* file = g_file_new_for_path(fileName);
    GFile* own = fileFromUtf8(preselected);
    const bool ownFile = g_file_equal(file, own);
    g_object_unref(own);
    g_object_unref(file);
    return !ownFile;
}

// Asks over the chooser, in the words and with the buttons of GTK's own overwrite question:
// Return replaces, Escape goes back to the chooser.
bool mayReplace(GtkWidget* chooser, const char* fileName) {
    gchar* name = g_filename_display_basename(fileName);
    gchar* folderName = g_path_get_dirname(fileName);
    gchar* folder = g_filename_display_name(folderName);
    GtkWidget* question = gtk_message_dialog_new(
        GTK_WINDOW(chooser), GTK_DIALOG_MODAL, GTK_MESSAGE_QUESTION, GTK_BUTTONS_NONE,
        "A file named \u201c%s\u201d already exists. Do you want to replace it?", name);
    gtk_message_dialog_format_secondary_text(
        GTK_MESSAGE_DIALOG(question),
        "The file already exists in \u201c%s\u201d. Replacing it will overwrite its contents.",
        folder);
    gtk_window_set_title(GTK_WINDOW(question), "Replace File");
    gtk_dialog_add_buttons(GTK_DIALOG(question), "_Cancel", GTK_RESPONSE_CANCEL, "_Replace",
                           GTK_RESPONSE_ACCEPT, nullptr);
    gtk_dialog_set_default_response(GTK_DIALOG(question), GTK_RESPONSE_ACCEPT);
    gtk_window_set_keep_above(GTK_WINDOW(question), TRUE);
    const bool replace = gtk_dialog_run(GTK_DIALOG(question)) == GTK_RESPONSE_ACCEPT;
    gtk_widget_destroy(question);
    g_free(folder);
    g_free(folderName);
    g_free(name);
    return replace;
}

struct GtkFileChooserDialogBox : FileChooser {
    std::string choose(const FileChooserRequest& request) override {
        if (!gtkAvailable()) {
            return "";
        }
        const bool saving = request.mode == FileChooserMode::Save;
        GtkWidget* dialog = gtk_file_chooser_dialog_new(
            validUtf8(request.title).c_str(), nullptr,
            saving ? GTK_FILE_CHOOSER_ACTION_SAVE : GTK_FILE_CHOOSER_ACTION_OPEN, "_Cancel",
            GTK_RESPONSE_CANCEL, saving ? "_Save" : "_Open", GTK_RESPONSE_ACCEPT, nullptr);
        GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
        // Return in the name field presses the default button.
        gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
        // GTK would ask about the name as typed, before the extension is added; the question
        // comes below, about the file that will be written.
        gtk_file_chooser_set_do_overwrite_confirmation(chooser, FALSE);
        gtk_file_chooser_set_local_only(chooser, TRUE);
        gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);

        GtkFileFilter* filter = gtk_file_filter_new();
        gtk_file_filter_set_name(filter, validUtf8(request.filterName).c_str());
        gtk_file_filter_add_pattern(filter, request.filterPattern.c_str());
        gtk_file_chooser_add_filter(chooser, filter);

        // Without a folder GTK's Open dialog starts in its list of recently used files; the
        // working directory is where a map named on the command line would be looked for too.
        gchar* workingDirectory = g_get_current_dir();
        gtk_file_chooser_set_current_folder(chooser, workingDirectory);
        g_free(workingDirectory);
        if (!request.initialPath.empty()) {
            preselect(chooser, request.mode, request.initialPath);
        }
        useFromKeyboard(dialog, !saving);

        std::string chosen;
        while (chosen.empty() && gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
            gchar* fileName = gtk_file_chooser_get_filename(chooser);
            if (fileName == nullptr) break;
            const std::string path =
                saving ? savedPath(fileName, request.defaultExtension) : fileName;
            g_free(fileName);
            if (!saving || !needsConfirmation(path.c_str(), request.initialPath) ||
                mayReplace(dialog, path.c_str())) {
                chosen = toUtf8(path.c_str());
            }
        }
        gtk_widget_destroy(dialog);
        drainGtkEvents();
        return chosen;
    }
};

}  // namespace

FileChooser& desktopFileChooser() {
    static GtkFileChooserDialogBox chooser;
    return chooser;
}
