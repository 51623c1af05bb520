// Keyboard use of GTK's file chooser dialogs: typing a name or path and confirming with Return.
#include "platform/gtk_chooser_keyboard.h"

#include <cstring>

namespace {

struct ChooserKeyboard {
    GtkDialog* dialog = nullptr;
    GtkWidget* acceptButton = nullptr;
    bool opening = false;
    bool typedInto = false;
    // Until the user types, moves the cursor or clicks into the name entry, the name in it is
    // the preselected one, however late GTK filled it in or whatever part of it GTK selected.
    bool nameUntouched = true;
    bool acceptWhenReady = false;
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

bool typesCharacter(const GdkEventKey* event) {
    return typesText(event) && event->keyval != GDK_KEY_BackSpace &&
           event->keyval != GDK_KEY_Delete;
}

bool isReturn(guint keyval) {
    return keyval == GDK_KEY_Return || keyval == GDK_KEY_KP_Enter || keyval == GDK_KEY_ISO_Enter;
}

// The name or location entry when it has the focus; the search entry doesn't count.
GtkWidget* focusedNameEntry(GtkDialog* dialog) {
    GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(dialog));
    if (!GTK_IS_ENTRY(focus) || GTK_IS_SEARCH_ENTRY(focus)) {
        return nullptr;
    }
    return focus;
}

bool entryWillBeReplaced(GtkWidget* entry) {
    const int length = gtk_entry_get_text_length(GTK_ENTRY(entry));
    int start = 0;
    int end = 0;
    return length == 0 || (gtk_editable_get_selection_bounds(GTK_EDITABLE(entry), &start, &end) &&
                           start == 0 && end == length);
}

// Runs before the dialog hands a key to the focused widget. Keys typed while a completion popup
// is open go to the popup instead, so Escape first dismisses the popup as usual.
gboolean beforeDialogKey(GtkWidget*, GdkEventKey* event, gpointer data) {
    auto* keyboard = static_cast<ChooserKeyboard*>(data);
    if (event->keyval != GDK_KEY_Escape || focusedNameEntry(keyboard->dialog) == nullptr) {
        return FALSE;
    }
    // The Open dialog would take the first Escape to hide its location entry.
    gtk_dialog_response(keyboard->dialog, GTK_RESPONSE_CANCEL);
    return TRUE;
}

// Runs before the entry handles a key, but after its completion popup has had the chance to
// take Return for picking a completion.
gboolean beforeEntryKey(GtkWidget* entry, GdkEventKey* event, gpointer data) {
    auto* keyboard = static_cast<ChooserKeyboard*>(data);
    if (isReturn(event->keyval)) {
        if (gtk_widget_is_sensitive(keyboard->acceptButton)) {
            return FALSE;
        }
        // GTK keeps the accept button greyed out until it has looked at the folder of a newly
        // typed name, and ignores a Return that arrives before then. Keep the Return for later.
        keyboard->acceptWhenReady = true;
        return TRUE;
    }
    if (!typesText(event)) {
        // Modifiers come before the capitals and symbols of a typed name; anything else moves
        // the cursor or the selection, so later typing goes where the user put it.
        if (!event->is_modifier) {
            keyboard->nameUntouched = false;
        }
        return FALSE;
    }
    keyboard->acceptWhenReady = false;
    keyboard->typedInto = true;
    // The first character typed replaces the whole preselected name. GTK selects that name
    // only once the folder is read, which can come after the first keystrokes, so the typing
    // ended up behind the name; and the Save dialog selects the name without its extension,
    // so typing "level.map" saved "level.map.map".
    if (keyboard->nameUntouched) {
        keyboard->nameUntouched = false;
        if (typesCharacter(event)) {
            gtk_editable_select_region(GTK_EDITABLE(entry), 0, -1);
        }
    }
    // GTK empties the Open dialog's entry when it deselects a file row while the entry holds
    // that row's name, and it deselects rows shortly after each keystroke. Inline completion
    // of a first letter to the highlighted file's name then wiped what was typed. Deselecting
    // before a keystroke that replaces the whole entry lets GTK clear it with nothing to lose.
    if (keyboard->opening && entryWillBeReplaced(entry)) {
        gtk_file_chooser_unselect_all(GTK_FILE_CHOOSER(keyboard->dialog));
    }
    return FALSE;
}

gboolean entryClicked(GtkWidget*, GdkEventButton*, gpointer data) {
    static_cast<ChooserKeyboard*>(data)->nameUntouched = false;
    return FALSE;
}

void acceptButtonChanged(GtkWidget* button, GParamSpec*, gpointer data) {
    auto* keyboard = static_cast<ChooserKeyboard*>(data);
    if (keyboard->acceptWhenReady && gtk_widget_is_sensitive(button)) {
        keyboard->acceptWhenReady = false;
        gtk_widget_activate(button);
    }
}

// When GTK puts the preselected file's name into the Open dialog's entry, select it all, so
// that Return opens that file and typing replaces the name instead of going in front of it.
// After the first keystroke GTK reports the typed name as the selection, to be left as typed.
void selectionChanged(GtkFileChooser* chooser, gpointer data) {
    auto* keyboard = static_cast<ChooserKeyboard*>(data);
    GtkWidget* entry = focusedNameEntry(keyboard->dialog);
    if (!keyboard->opening || keyboard->typedInto || entry == nullptr) {
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

// GTK reloads its saved location mode each time the chooser is mapped, so the Open dialog's
// entry can only be brought up from here. Without it typing a letter starts a search, and only
// Ctrl+L or a leading '/' offers a place to type a name.
void chooserMapped(GtkWidget* chooserWidget, gpointer) {
    g_signal_emit_by_name(chooserWidget, "location-popup", "");
}

// GTK creates the location entry only when it is first shown, so entries are picked up as
// they receive the focus.
void focusChanged(GtkWindow*, GtkWidget* widget, gpointer data) {
    static const char kHooked[] = "velloran-keys-hooked";
    if (!GTK_IS_ENTRY(widget) || GTK_IS_SEARCH_ENTRY(widget) ||
        g_object_get_data(G_OBJECT(widget), kHooked) != nullptr) {
        return;
    }
    g_object_set_data(G_OBJECT(widget), kHooked, widget);
    g_signal_connect(widget, "key-press-event", G_CALLBACK(beforeEntryKey), data);
    // A click that gave the entry the focus was under way before it was hooked; its release
    // still counts.
    g_signal_connect(widget, "button-press-event", G_CALLBACK(entryClicked), data);
    g_signal_connect(widget, "button-release-event", G_CALLBACK(entryClicked), data);
}

void freeKeyboard(gpointer data) {
    delete static_cast<ChooserKeyboard*>(data);
}

}  // namespace

void useFromKeyboard(GtkWidget* fileChooserDialog, bool opening) {
    GtkDialog* dialog = GTK_DIALOG(fileChooserDialog);
    GtkWidget* chooserWidget = findChooserWidget(fileChooserDialog);
    GtkWidget* acceptButton = gtk_dialog_get_widget_for_response(dialog, GTK_RESPONSE_ACCEPT);
    if (chooserWidget == nullptr || acceptButton == nullptr) {
        return;
    }
    auto* keyboard = new ChooserKeyboard;
    keyboard->dialog = dialog;
    keyboard->acceptButton = acceptButton;
    keyboard->opening = opening;
    g_object_set_data_full(G_OBJECT(fileChooserDialog), "velloran-chooser-keyboard", keyboard,
                           freeKeyboard);
    if (opening) {
        g_signal_connect(chooserWidget, "map", G_CALLBACK(chooserMapped), nullptr);
    }
    g_signal_connect(fileChooserDialog, "set-focus", G_CALLBACK(focusChanged), keyboard);
    g_signal_connect(fileChooserDialog, "key-press-event", G_CALLBACK(beforeDialogKey), keyboard);
    g_signal_connect(acceptButton, "notify::sensitive", G_CALLBACK(acceptButtonChanged), keyboard);
    g_signal_connect(fileChooserDialog, "selection-changed", G_CALLBACK(selectionChanged),
                     keyboard);
}
