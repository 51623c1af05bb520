// Lazy GTK initialisation and event draining for the desktop dialogs.
#include "platform/gtk_session.h"

#include <gtk/gtk.h>

bool gtkAvailable() {
    static const bool available = [] {
        // GTK would otherwise switch the whole process to the user's locale, and the editor
        // writes and parses numbers with the C locale's decimal point.
        gtk_disable_setlocale();
        return gtk_init_check(nullptr, nullptr) == TRUE;
    }();
    return available;
}

void drainGtkEvents() {
    while (gtk_events_pending()) {
        gtk_main_iteration_do(FALSE);
    }
    // Destroying a window only queues the request; push it to the X server so the dialog
    // vanishes now rather than at GTK's next use.
    if (GdkDisplay* display = gdk_display_get_default()) {
        gdk_display_flush(display);
    }
}

std::string validUtf8(const std::string& text) {
    if (g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr)) {
        return text;
    }
    gchar* fixed = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
    std::string result(fixed);
    g_free(fixed);
    return result;
}
