// The desktop question box, a modal GTK dialog with Save, Discard and Cancel.
#include <gtk/gtk.h>

#include <cstdio>

#include "platform/gtk_session.h"
#include "platform/question_box.h"

namespace {

enum Response { kSave = 1, kDiscard = 2 };

struct GtkQuestionBox : QuestionBox {
    SaveAnswer ask(const std::string& title, const std::string& text) override {
        if (!gtkAvailable()) {
            // Nobody can answer: keep the map, and say so where the user may look.
            std::fprintf(stderr, "%s: %s (no display to ask on: cancelled)\n", title.c_str(),
                         text.c_str());
            std::fflush(stderr);
            return SaveAnswer::Cancel;
        }
        GtkWidget* dialog = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_QUESTION,
                                                   GTK_BUTTONS_NONE, "%s", validUtf8(text).c_str());
        gtk_window_set_title(GTK_WINDOW(dialog), validUtf8(title).c_str());
        gtk_dialog_add_buttons(GTK_DIALOG(dialog), "_Save", kSave, "_Discard", kDiscard, "_Cancel",
                               GTK_RESPONSE_CANCEL, nullptr);
        gtk_dialog_set_default_response(GTK_DIALOG(dialog), kSave);
        // The editor's window belongs to SDL, so the box has no parent to stay in front of.
        gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
        gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
        const int response = gtk_dialog_run(GTK_DIALOG(dialog));
        gtk_widget_destroy(dialog);
        drainGtkEvents();
        if (response == kSave) return SaveAnswer::Save;
        if (response == kDiscard) return SaveAnswer::Discard;
        return SaveAnswer::Cancel;
    }
};

}  // namespace

QuestionBox& desktopQuestionBox() {
    static GtkQuestionBox box;
    return box;
}
