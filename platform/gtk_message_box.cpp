// The desktop message box, a modal GTK error dialog.
#include <gtk/gtk.h>

#include <cstdio>

#include "platform/gtk_session.h"
#include "platform/message_box.h"

namespace {

// GTK 3 no longer draws an icon for the message type, yet the icon is what tells an error box
// apart at a glance. The message area sits in a row that used to hold the icon.
void addErrorIcon(GtkWidget* dialog) {
    GtkWidget* messageArea = gtk_message_dialog_get_message_area(GTK_MESSAGE_DIALOG(dialog));
    GtkWidget* row = gtk_widget_get_parent(messageArea);
    if (!GTK_IS_BOX(row) ||
        gtk_orientable_get_orientation(GTK_ORIENTABLE(row)) != GTK_ORIENTATION_HORIZONTAL) {
        return;
    }
    GtkWidget* icon = gtk_image_new_from_icon_name("dialog-error", GTK_ICON_SIZE_DIALOG);
    gtk_widget_set_valign(icon, GTK_ALIGN_START);
    gtk_box_pack_start(GTK_BOX(row), icon, FALSE, FALSE, 0);
    gtk_box_reorder_child(GTK_BOX(row), icon, 0);
    gtk_widget_show(icon);
}

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
        addErrorIcon(dialog);
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
