// What the core asks of the windows: a beep, a message box, a yes/no,
// OK/Cancel or Retry/Cancel question, a file dialog, the end of the program and whether the user
// asked to stop a long operation. The windows implement it; tests and the
// batch run use the scripted implementation below.
#pragma once

#include <deque>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// The text with every character that ends a line on the screen made an
// LF: a CR LF (one line end) and a lone CR, a VT and an FF. Code page 1250
// has no NEL nor line or paragraph separators (its 0x85 is the ellipsis).
std::string screenLines(std::string_view text);

// A text bounded to what a box on the screen can show, code page 1250: its
// lines as the screen breaks them (screenLines), a line longer than
// maxLineLength bytes wrapped at its last blank before the bound (else
// after a path separator, else at the bound), at most maxLines lines as
// wrapped. More are told by a line of how many were left out, between the
// first lines and the last third, so that the end of a message (the files
// it names, what the user is to do) stays in sight.
std::string shortenedText(std::string_view text, std::size_t maxLines, std::size_t maxLineLength);

class UserInterface {
public:
    virtual ~UserInterface() = default;

    virtual void beep() {}
    // A modal message box; text in code page 1250.
    virtual void message(const std::string& text) { (void)text; }
    // A yes/no question; true for yes.
    virtual bool question(const std::string& text) {
        (void)text;
        return true;
    }
    // An OK/Cancel question in a box with its own caption; true for OK.
    virtual bool confirm(const std::string& text, const std::string& caption) {
        (void)text;
        (void)caption;
        return true;
    }
    // A Retry/Cancel question in a box with its own caption, for a failure
    // that may pass (a file another program holds); true for Retry.
    virtual bool retry(const std::string& text, const std::string& caption) { return confirm(text, caption); }
    // A question with three buttons (their captions given; the third is
    // also Escape's).
    enum class Choice { Yes, No, Cancel };
    virtual Choice choose(const std::string& text, const std::string& yes, const std::string& no,
                          const std::string& cancel) {
        (void)text;
        (void)yes;
        (void)no;
        (void)cancel;
        return Choice::Yes;
    }
    // An open or save dialog starting in initialFolder (empty: wherever the
    // dialog likes); nothing when cancelled.
    virtual std::optional<std::string> chooseFile(const std::string& title, const std::string& filter,
                                                  bool forSaving, const std::string& initialFolder = {}) {
        (void)title;
        (void)filter;
        (void)forSaving;
        (void)initialFolder;
        return std::nullopt;
    }
    // A folder dialog starting in initialFolder; the folder chosen (code
    // page 1250), nothing when cancelled.
    virtual std::optional<std::string> chooseFolder(const std::string& title, const std::string& initialFolder) {
        (void)title;
        (void)initialFolder;
        return std::nullopt;
    }
    // A one-line text input with a caption, a prompt and a default text;
    // nothing when cancelled.
    virtual std::optional<std::string> inputText(const std::string& caption, const std::string& prompt,
                                                 const std::string& initial) {
        (void)caption;
        (void)prompt;
        (void)initial;
        return std::nullopt;
    }
    // True once no text input can come any more (the batch run's standard
    // input has ended): an input then returns nothing for that, not for a
    // user's Cancel. A window's input box can always be answered again.
    virtual bool inputEnded() { return false; }
    // Asks the program to end with the given exit code. The core never
    // calls exit itself; after asking it returns to its caller.
    virtual void endProgram(int exitCode) { (void)exitCode; }
    // True when the user asked to stop the operation in progress.
    virtual bool stopRequested() { return false; }
    // A short text telling how a long operation goes (code page 1250);
    // shown where the window has room for it, or nowhere.
    virtual void progress(const std::string& text) { (void)text; }
};

// Records what the core asked and answers from a script; for tests and
// headless runs.
class ScriptedUserInterface : public UserInterface {
public:
    void beep() override { ++beeps; }
    void message(const std::string& text) override { messages.push_back(text); }
    bool question(const std::string& text) override {
        questions.push_back(text);
        if (answers.empty()) return defaultAnswer;
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
    bool confirm(const std::string& text, const std::string& caption) override {
        questions.push_back(text);
        captions.push_back(caption);
        if (answers.empty()) return defaultAnswer;
        bool a = answers.front();
        answers.pop_front();
        return a;
    }
    Choice choose(const std::string& text, const std::string&, const std::string&, const std::string&) override {
        questions.push_back(text);
        if (choices.empty()) return defaultChoice;
        Choice c = choices.front();
        choices.pop_front();
        return c;
    }
    std::optional<std::string> chooseFile(const std::string& title, const std::string&, bool,
                                          const std::string& initialFolder = {}) override {
        dialogs.push_back(title);
        dialogFolders.push_back(initialFolder);
        if (files.empty()) return std::nullopt;
        std::string f = files.front();
        files.pop_front();
        return f;
    }
    // A folder is answered from the same queue as a file.
    std::optional<std::string> chooseFolder(const std::string& title, const std::string& initialFolder) override {
        return chooseFile(title, {}, false, initialFolder);
    }
    std::optional<std::string> inputText(const std::string& caption, const std::string& prompt,
                                         const std::string& initial) override {
        inputCaptions.push_back(caption);
        inputPrompts.push_back(prompt);
        inputInitials.push_back(initial);
        if (inputs.empty()) return std::nullopt;
        std::optional<std::string> t = inputs.front();
        inputs.pop_front();
        return t;
    }
    void endProgram(int exitCode) override {
        endRequested = true;
        this->exitCode = exitCode;
    }
    bool stopRequested() override { return stop; }
    void progress(const std::string& text) override { progressTexts.push_back(text); }
    // With inputsEnd, the input has ended once the answers are used up.
    bool inputEnded() override { return inputsEnd && inputs.empty(); }

    int beeps = 0;
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<std::string> captions;  // of the OK/Cancel questions
    std::vector<std::string> dialogs;   // titles of the file dialogs shown
    std::vector<std::string> dialogFolders;
    std::deque<bool> answers;
    bool defaultAnswer = true;
    std::deque<Choice> choices;  // of the three-button questions
    Choice defaultChoice = Choice::Yes;
    std::deque<std::string> files;
    // Text inputs: what was asked, and the answers in order (nothing:
    // Cancel; cancelled when none are left).
    std::vector<std::string> inputCaptions, inputPrompts, inputInitials;
    std::deque<std::optional<std::string>> inputs;
    bool inputsEnd = false;
    bool endRequested = false;
    int exitCode = 0;
    bool stop = false;
    std::vector<std::string> progressTexts;
};

}  // namespace vesk
