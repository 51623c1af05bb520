// The desktop message box, a modal GTK error dialog.
#include <gtk/gtk.h>

#include <cstdio>

#include "platform/gtk_session.h"
#include "platform/message_box.h"

namespace {

struct GtkMessageBox : MessageBox {
    void show(const std::string& title, const std::string& text) override {
        if (!gtkAvailable()) {
            // Nobody can see a window; the terminal that started the editor is the next best
            // place for the user to find out what went wrong.
            std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
            std::fflush(stderr);
            return;
        }
        const std::string safeText = validUtf8(text);
        GtkWidget* dialog = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR,
                                                   GTK_BUTTONS_OK, "%s", safeText.c_str());
        gtk_window_set_title(GTK_WINDOW(dialog), validUtf8(title).c_str());
        // The editor's window belongs to SDL, not GTK, so the box has no parent to stay in
        // front of; without this a window manager may open it behind the editor.
        gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
        gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
        gtk_dialog_run(GTK_DIALOG(dialog));
        gtk_widget_destroy(dialog);
        drainGtkEvents();
    }
};

}  // namespace

MessageBox& desktopMessageBox() {
    static GtkMessageBox box;
    return box;
}
