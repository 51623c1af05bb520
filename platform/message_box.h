// A blocking message box: the one way the editor tells the user that something went wrong.
#pragma once

#include <string>

struct MessageBox {
    virtual ~MessageBox() = default;
    // Shows an error box with the given title and text and one OK button; returns when it is
    // closed. Without a display the title and text go to standard error instead.
    virtual void show(const std::string& title, const std::string& text) = 0;
};

// The desktop's message box (GTK 3), shared by the whole program.
MessageBox& desktopMessageBox();
