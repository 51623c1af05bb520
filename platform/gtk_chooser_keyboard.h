// Keyboard use of GTK's file chooser dialogs; internal to platform/.
#pragma once

#include <gtk/gtk.h>

// Lets a file chooser dialog be used without the mouse: the name or location entry has the
// focus from the start, Return in it confirms the typed name, and Escape cancels. Call before
// the dialog is shown, after its accept button was made the default.
void useFromKeyboard(GtkWidget* fileChooserDialog, bool opening);
