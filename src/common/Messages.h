#pragma once
// How core operations talk to the organiser. The core never shows anything itself: the screens
// answer with message boxes, the command line with standard error, tests record the texts.
#include <string>
#include <vector>

namespace trakmora {

class Messages {
public:
    virtual ~Messages() = default;
    // A plain message with only an OK button.
    virtual void info(const std::string& text) = 0;
    // A Yes/No question; true means Yes.
    virtual bool ask(const std::string& title, const std::string& text) = 0;
};

// Keeps every text, answers questions with a fixed answer. Used by tests and batch runs.
class RecordingMessages : public Messages {
public:
    explicit RecordingMessages(bool answer = true) : answer_(answer) {}
    void info(const std::string& text) override { texts.push_back(text); }
    bool ask(const std::string& title, const std::string& text) override {
        questions.push_back(title + ": " + text);
        return answer_;
    }
    void setAnswer(bool answer) { answer_ = answer; }
    std::vector<std::string> texts;
    std::vector<std::string> questions;

private:
    bool answer_;
};

} // namespace trakmora
