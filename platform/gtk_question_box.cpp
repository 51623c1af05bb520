// The desktop question box, a modal GTK dialog with Save, Discard and Cancel, or buttons of
// the question's own.
#include <gtk/gtk.h>

#include <cstdio>

#include "platform/gtk_session.h"
#include "platform/question_box.h"

namespace {

enum Response { kSave = 1, kDiscard = 2 };

// Nobody can answer without a display: everything stays as it is, and the question goes where
// the user may look.
void askOnStandardError(const std::string& title, const std::string& text) {
    std::fprintf(stderr, "%s: %s (no display to ask on: cancelled)\n", title.c_str(), text.c_str());
    std::fflush(stderr);
}

GtkWidget* newQuestion(const std::string& title, const std::string& text) {
    GtkWidget* dialog = gtk_message_dialog_new(nullptr, GTK_DIALOG_MODAL, GTK_MESSAGE_QUESTION,
                                               GTK_BUTTONS_NONE, "%s", validUtf8(text).c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), validUtf8(title).c_str());
    return dialog;
}

// Shows the question until it is answered and takes it away; the response.
int runQuestion(GtkWidget* dialog, int defaultResponse) {
    gtk_dialog_set_default_response(GTK_DIALOG(dialog), defaultResponse);
    // The editor's window belongs to SDL, so the box has no parent to stay in front of.
    gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
    gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
    const int response = gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
    drainGtkEvents();
    return response;
}

struct GtkQuestionBox : QuestionBox {
    SaveAnswer ask(const std::string& title, const std::string& text) override {
        if (!gtkAvailable()) {
            askOnStandardError(title, text);
            return SaveAnswer::Cancel;
        }
        GtkWidget* dialog = newQuestion(title, text);
        gtk_dialog_add_buttons(GTK_DIALOG(dialog), "_Save", kSave, "_Discard", kDiscard, "_Cancel",
                               GTK_RESPONSE_CANCEL, nullptr);
        const int response = runQuestion(dialog, kSave);
        if (response == kSave) return SaveAnswer::Save;
        if (response == kDiscard) return SaveAnswer::Discard;
        return SaveAnswer::Cancel;
    }

    int choose(const std::string& title, const std::string& text,
               const std::vector<std::string>& buttons) override {
        if (!gtkAvailable()) {
            askOnStandardError(title, text);
            return -1;
        }
        GtkWidget* dialog = newQuestion(title, text);
        // Responses 1, 2, ... for the buttons in order.
        for (size_t i = 0; i < buttons.size(); ++i) {
            gtk_dialog_add_button(GTK_DIALOG(dialog), validUtf8(buttons[i]).c_str(),
                                  static_cast<int>(i) + 1);
        }
        const int response = runQuestion(dialog, 1);
        return response >= 1 && response <= static_cast<int>(buttons.size()) ? response - 1 : -1;
    }
};

}  // namespace

QuestionBox& desktopQuestionBox() {
    static GtkQuestionBox box;
    return box;
}
