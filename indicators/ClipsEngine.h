// One rule-engine environment as a component sees it: the engine calls the
// binding makes, its notifications routed back to the owning component, and
// everything the engine prints kept in a log. This is the only part of the
// binding that knows the engine's C interface; handles are opaque here.
#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vesk {

class TClips;
class TClipsFact;

using TClipsSlotValue = std::variant<double, long long, std::string>;

class ClipsEngine {
public:
    explicit ClipsEngine(TClips& owner);
    ~ClipsEngine();
    ClipsEngine(const ClipsEngine&) = delete;
    ClipsEngine& operator=(const ClipsEngine&) = delete;

    // One engine operation at a time: a second one started from an event
    // handler (or input processed during a run) throws "CLIPS engine busy".
    // Finish() rethrows what an event handler threw during the operation.
    class Operation {
    public:
        explicit Operation(ClipsEngine& engine);
        ~Operation();
        Operation(const Operation&) = delete;
        Operation& operator=(const Operation&) = delete;
        void Finish();
        // What the engine printed since the operation began.
        std::string Details() const;

    private:
        ClipsEngine& engine_;
        std::size_t mark_;
    };

    bool Busy() const { return busy_; }
    bool Started() const { return env_ != nullptr; }
    // Creates the environment with its output route and notifications.
    void Start();
    // Removes the notifications and destroys the environment.
    void Stop();

    void Clear();
    void Reset();
    // The number of rules fired.
    long long Run(long long limit);
    // Loads the constructs of a rule file's text (name for the engine's
    // messages); false when the engine reported errors.
    bool Load(const std::string& name, const std::string& text);
    bool Bload(const std::string& nativePath);
    bool Save(const std::string& nativePath);
    // The text Save would write.
    std::string SaveText();
    bool Bsave(const std::string& nativePath);
    int Strategy();
    void SetStrategy(int strategy);
    void* AssertString(const std::string& text);
    // A new unasserted fact of the named template, its slots at their
    // defaults; nothing when there is no such template.
    void* CreateFact(const std::string& templateName);
    void* Assert(void* fact);
    // Frees a created fact that was never asserted.
    void DiscardFact(void* fact);
    bool Retract(void* fact);

    // Readers of an asserted fact.
    long long FactIndex(void* fact);
    std::string FactText(void* fact);
    bool FactOrdered(void* fact);
    std::vector<std::string> SlotNames(void* fact);
    TClipsSlotValue SlotValue(void* fact, const std::string& name);

    const std::string& Log() const { return log_; }
    // What the engine printed on its error and warning routes (its own
    // messages and whatever a rule printed there).
    const std::string& Messages() const { return messages_; }
    // What the engine printed on its other routes: what rules print on
    // t, stdout, wdisplay, wtrace ..., and the listings they ask for.
    const std::string& Printed() const { return printed_; }
    void ClearLog() {
        log_.clear();
        messages_.clear();
        printed_.clear();
    }

    // Entry point of the engine's notifications (never throws).
    enum class Event { Assertion, Retraction, Clear, Periodic, Reset, Exit, OutOfMemory };
    void Notify(Event event, void* fact) noexcept;
    void Print(std::string_view text, bool message) {
        log_.append(text);
        (message ? messages_ : printed_).append(text);
    }
    // Part of the printed form FactText makes.
    void PrintFact(std::string_view text) { factText_.append(text); }
    // The line of the file being loaded where the engine first printed an
    // error; 0 when it printed none.
    long ErrorLine() const { return errorLine_; }
    // The engine printed an error message, reading the given line of a
    // file being loaded.
    void ErrorPrinted(long line) {
        errors_ = true;
        if (errorLine_ == 0) errorLine_ = line > 0 ? line : -1;
    }
    // The engine printed an error message during the operation under way
    // or the last one (a rule that failed, a refused function).
    bool Errors() const { return errors_; }
    // The last run, reset or clear was stopped by an error (the engine
    // halted execution), not ended by its rules.
    bool Halted() const { return halted_; }

    // The created wrapper whose fact is being asserted: the component
    // takes it into its fact list instead of making a new one.
    TClipsFact* adopting = nullptr;

private:
    void Halt();
    void Resume();

    TClips& owner_;
    void* env_ = nullptr;
    bool busy_ = false;
    std::exception_ptr pending_;
    std::string log_;
    std::string messages_;
    std::string printed_;
    std::string factText_;
    long errorLine_ = 0;
    bool errors_ = false;
    bool halted_ = false;
};

}  // namespace vesk
