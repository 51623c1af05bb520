// A blocking question with three answers: whether to save the map before it is left.
#pragma once

#include <string>
#include <vector>

enum class SaveAnswer { Save, Discard, Cancel };

struct QuestionBox {
    virtual ~QuestionBox() = default;
    // Asks with the buttons "_Save", "_Discard" and "_Cancel" and returns the answer; Escape and
    // closing the box mean Cancel. Without a display the question goes to standard error and
    // the answer is Cancel, so nothing is lost.
    virtual SaveAnswer ask(const std::string& title, const std::string& text) = 0;
    // Asks with the buttons given, by their labels (a "_" marks the access key), the first the
    // default; returns the index of the button chosen. Escape and closing the box give -1, and
    // so does the lack of a display, after the question went to standard error.
    virtual int choose(const std::string& title, const std::string& text,
                       const std::vector<std::string>& buttons) = 0;
};

// The desktop's question box (GTK 3), shared by the whole program.
QuestionBox& desktopQuestionBox();
