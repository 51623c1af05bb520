// Keyboard entry of names and paths in GTK's Open dialog; internal to platform/.
#pragma once

#include <gtk/gtk.h>

// Makes an Open file chooser dialog show its location entry from the start, focused, so a file
// name or path can be typed and confirmed with Return without touching the mouse.
void typeLocationFromStart(GtkWidget* fileChooserDialog);
