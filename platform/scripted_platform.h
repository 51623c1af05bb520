// Message box and file chooser stand-ins that record what the editor asked and play back
// prepared answers, so the editor's tests run without a display or a person.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/file_chooser.h"
#include "platform/message_box.h"
#include "platform/question_box.h"

struct ShownMessage {
    std::string title;
    std::string text;
};

struct ScriptedMessageBox : MessageBox {
    std::vector<ShownMessage> shown;

    void show(const std::string& title, const std::string& text) override {
        shown.push_back({title, text});
    }
};

struct ScriptedQuestionBox : QuestionBox {
    std::vector<ShownMessage> asked;
    // Answers handed out front first; once they run out the answer is Cancel, or -1 (Escape)
    // for a question with buttons of its own.
    std::deque<SaveAnswer> answers;
    std::deque<int> choices;

    int choose(const std::string& title, const std::string& text,
               const std::vector<std::string>&) override {
        asked.push_back({title, text});
        if (choices.empty()) return -1;
        const int choice = choices.front();
        choices.pop_front();
        return choice;
    }

    SaveAnswer ask(const std::string& title, const std::string& text) override {
        asked.push_back({title, text});
        if (answers.empty()) return SaveAnswer::Cancel;
        SaveAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

struct ScriptedFileChooser : FileChooser {
    std::vector<FileChooserRequest> requests;
    // Answers handed out front first; once they run out the chooser answers as if cancelled.
    std::deque<std::string> answers;

    std::string choose(const FileChooserRequest& request) override {
        requests.push_back(request);
        if (answers.empty()) {
            return "";
        }
        std::string answer = answers.front();
        answers.pop_front();
        return answer;
    }
};
