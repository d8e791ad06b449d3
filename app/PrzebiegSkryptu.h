// What the windows do while a command file or an optimisation runs inside
// one handler: the context's port is replaced by one that lets pending
// paint events through at every stop question, drops all other input (so
// nothing starts a second press), remembers Esc pressed in the program's
// windows and turns the wheel turned down over the main window into the
// leave flag of the current call level. Dialogs the run shows take input
// as usual. The port also shows the optimisation's progress text.
// A close of the main window (its close button, Alt+F4) keeps the window
// and asks the ending dialog at the run's next stop question: "Tak" stops
// the run there (its stop question answered for the user) and the program
// ends after it; "Nie" goes on.
#pragma once

#include <QLabel>
#include <QObject>
#include <functional>

#include "Kontekst.h"
#include "UserInterface.h"

namespace vesk {

class PortPrzebiegu : public UserInterface, public QObject {
public:
    // pod: the port underneath; glowne: the main window (Esc, the wheel).
    PortPrzebiegu(UserInterface& pod, QWidget* glowne) : pod_(pod), glowne_(glowne) {}

    void beep() override { pod_.beep(); }
    void message(const std::string& text) override;
    // Answered "Tak" without asking once the program is to end.
    bool question(const std::string& text) override;
    bool confirm(const std::string& text, const std::string& caption) override;
    bool retry(const std::string& text, const std::string& caption) override;
    Choice choose(const std::string& text, const std::string& yes, const std::string& no,
                  const std::string& cancel) override;
    std::optional<std::string> chooseFile(const std::string& title, const std::string& filter, bool forSaving,
                                          const std::string& initialFolder = {}) override;
    std::optional<std::string> inputText(const std::string& caption, const std::string& prompt,
                                         const std::string& initial) override;
    void endProgram(int exitCode) override { pod_.endProgram(exitCode); }
    // Pending events handled (input dropped); true when Esc was pressed
    // since the last question, the port underneath asks to stop, or the
    // program is to end (a close met asks the ending dialog here).
    bool stopRequested() override;
    // Whether the program is to end after the run: the ending dialog of a
    // close of the main window answered "Tak" (asked now for a close the
    // run did not come to ask).
    bool koniecProgramu();
    // Shown at once in the label given, or passed down.
    void progress(const std::string& text) override;

    // The label of the progress texts (hidden at the end of the run).
    QLabel* Postep = nullptr;
    // Called when the wheel turns down over the main window.
    std::function<void()> KolkoWDol;

protected:
    bool eventFilter(QObject* obiekt, QEvent* e) override;

private:
    UserInterface& pod_;
    QWidget* glowne_;
    bool esc_ = false;
    bool zamkniecie_ = false;  // the main window closed, the dialog not yet asked
    bool koniec_ = false;      // its ending dialog answered "Tak"
    int dialogi_ = 0;  // > 0 while a dialog of the run is open
};

// For its lifetime the context's port is a PortPrzebiegu filtering the
// application's events.
class PrzebiegSkryptu {
public:
    PrzebiegSkryptu(Kontekst& k, QWidget* glowne, QLabel* postep = nullptr,
                    std::function<void()> kolkoWDol = {});
    ~PrzebiegSkryptu();
    PrzebiegSkryptu(const PrzebiegSkryptu&) = delete;
    PrzebiegSkryptu& operator=(const PrzebiegSkryptu&) = delete;
    // PortPrzebiegu::koniecProgramu: the caller ends the program once the
    // run has returned.
    bool KoniecProgramu() { return port_.koniecProgramu(); }

private:
    Kontekst& k_;
    UserInterface* poprzedni_;
    PortPrzebiegu port_;
};

}  // namespace vesk
