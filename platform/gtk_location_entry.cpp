// Keyboard entry of names and paths in GTK's Open dialog.
#include "platform/gtk_location_entry.h"

#include <cstring>

namespace {

struct LocationEntry {
    GtkFileChooser* chooser = nullptr;
    GtkWidget* entry = nullptr;
    bool typedInto = false;
};

GtkWidget* findChooserWidget(GtkWidget* widget) {
    if (GTK_IS_FILE_CHOOSER_WIDGET(widget)) {
        return widget;
    }
    if (!GTK_IS_CONTAINER(widget)) {
        return nullptr;
    }
    GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
    GtkWidget* found = nullptr;
    for (GList* child = children; child != nullptr && found == nullptr; child = child->next) {
        found = findChooserWidget(GTK_WIDGET(child->data));
    }
    g_list_free(children);
    return found;
}

bool typesText(const GdkEventKey* event) {
    if (event->keyval == GDK_KEY_BackSpace || event->keyval == GDK_KEY_Delete) {
        return true;
    }
    return gdk_keyval_to_unicode(event->keyval) != 0 &&
           (event->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK)) == 0;
}

// GTK empties the entry when a file row is deselected while the entry holds that file's name,
// and it deselects rows shortly after each keystroke. Inline completion of the first typed
// letter to the highlighted file's name therefore wiped what the user typed. Deselecting before
// the keystroke that replaces the whole entry lets GTK clear it while there is nothing to lose.
gboolean beforeKeystroke(GtkWidget* entry, GdkEventKey* event, gpointer data) {
    if (!typesText(event)) {
        return FALSE;
    }
    auto* state = static_cast<LocationEntry*>(data);
    state->typedInto = true;
    int start = 0;
    int end = 0;
    const bool allSelected = gtk_editable_get_selection_bounds(GTK_EDITABLE(entry), &start, &end) &&
                             start == 0 && end == gtk_entry_get_text_length(GTK_ENTRY(entry));
    if (allSelected || gtk_entry_get_text_length(GTK_ENTRY(entry)) == 0) {
        gtk_file_chooser_unselect_all(state->chooser);
    }
    return FALSE;
}

// When GTK puts the preselected file's name into the entry, select it all, so that Return opens
// that file and typing replaces the name instead of being added in front of it. Once the user
// has typed, GTK reports the typed name as the selection too, and it must be left as typed.
void afterSelectionChange(GtkFileChooser* chooser, gpointer data) {
    auto* state = static_cast<LocationEntry*>(data);
    GtkWidget* entry = state->entry;
    if (entry == nullptr || state->typedInto || !gtk_widget_has_focus(entry)) {
        return;
    }
    GFile* file = gtk_file_chooser_get_file(chooser);
    if (file == nullptr) {
        return;
    }
    gchar* name = g_file_get_basename(file);
    gchar* shownName = g_filename_display_name(name);
    if (std::strcmp(shownName, gtk_entry_get_text(GTK_ENTRY(entry))) == 0) {
        gtk_editable_select_region(GTK_EDITABLE(entry), 0, -1);
    }
    g_free(shownName);
    g_free(name);
    g_object_unref(file);
}

// GTK reloads the saved location mode each time the chooser is mapped, so switching to the entry
// any earlier would be undone.
void onChooserMapped(GtkWidget* chooserWidget, gpointer data) {
    auto* state = static_cast<LocationEntry*>(data);
    g_signal_emit_by_name(chooserWidget, "location-popup", "");
    GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(gtk_widget_get_toplevel(chooserWidget)));
    if (state->entry == nullptr && GTK_IS_ENTRY(focus)) {
        state->entry = focus;
        g_signal_connect(focus, "key-press-event", G_CALLBACK(beforeKeystroke), state);
    }
}

void freeState(gpointer data) { delete static_cast<LocationEntry*>(data); }

}  // namespace

void typeLocationFromStart(GtkWidget* fileChooserDialog) {
    GtkWidget* chooserWidget = findChooserWidget(fileChooserDialog);
    if (chooserWidget == nullptr) {
        return;
    }
    auto* state = new LocationEntry;
    state->chooser = GTK_FILE_CHOOSER(fileChooserDialog);
    g_object_set_data_full(G_OBJECT(fileChooserDialog), "velloran-location-entry", state,
                           freeState);
    g_signal_connect(chooserWidget, "map", G_CALLBACK(onChooserMapped), state);
    g_signal_connect(fileChooserDialog, "selection-changed", G_CALLBACK(afterSelectionChange),
                     state);
}
