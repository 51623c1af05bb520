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
        // Saving over the map that was opened is the common case, and the editor treats the
        // chosen name as the user's decision.
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
        if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
            if (gchar* fileName = gtk_file_chooser_get_filename(chooser)) {
                chosen = toUtf8(fileName);
                g_free(fileName);
            }
        }
        gtk_widget_destroy(dialog);
        drainGtkEvents();

        if (saving && !chosen.empty() && !request.defaultExtension.empty() &&
            !hasExtension(chosen)) {
            chosen += "." + request.defaultExtension;
        }
        return chosen;
    }
};

}  // namespace

FileChooser& desktopFileChooser() {
    static GtkFileChooserDialogBox chooser;
    return chooser;
}
