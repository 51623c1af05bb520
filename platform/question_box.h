// A blocking question with three answers: whether to save the map before it is left.
#pragma once

#include <string>

enum class SaveAnswer { Save, Discard, Cancel };

struct QuestionBox {
    virtual ~QuestionBox() = default;
    // Asks with the buttons "_Save", "_Discard" and "_Cancel" and returns the answer; Escape and
    // closing the box mean Cancel. Without a display the question goes to standard error and
    // the answer is Cancel, so nothing is lost.
    virtual SaveAnswer ask(const std::string& title, const std::string& text) = 0;
};

// The desktop's question box (GTK 3), shared by the whole program.
QuestionBox& desktopQuestionBox();
