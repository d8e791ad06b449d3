// The rule-engine component: one engine environment of its own, loaded
// from and saved to rule files, run, and its notifications turned into
// events. Components are independent of each other. Event handlers run
// inside the engine call that caused them; an exception a handler throws
// stops the engine and comes out of that call.
#pragma once

#include "ECLIPSException.h"
#include "TClipsFact.h"
#include "TClipsStrategy.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vesk {

class ClipsEngine;

class TClips {
public:
    using TFactEvent = std::function<void(TClips& sender, const std::shared_ptr<TClipsFact>& fact)>;
    using TNotifyEvent = std::function<void(TClips& sender)>;

    TClips();
    virtual ~TClips();
    TClips(const TClips&) = delete;
    TClips& operator=(const TClips&) = delete;

    // File names are core texts; the file is found without regard to case.
    const std::string& Filename() const { return filename_; }
    // Stores the name and, when not empty, loads the file.
    void SetFilename(const std::string& name);
    bool Initialized() const;
    void SetInitialized(bool value);
    TClipsStrategy Strategy();
    void SetStrategy(TClipsStrategy strategy);

    TFactEvent OnAssertion;
    TNotifyEvent OnClear;
    TNotifyEvent OnPeriodic;
    TFactEvent OnRetraction;
    TNotifyEvent OnReset;
    // The engine is about to end the program (a rule called exit) or has
    // run out of memory; without a handler it does as it always did.
    TNotifyEvent OnExit;
    TNotifyEvent OnOutOfMemory;

    // The asserted facts, ordered by the decimal text of their index (so
    // fact 10 comes before fact 2). The order is made once after the
    // facts changed: going through all of them costs n log n.
    std::shared_ptr<TClipsFact> Facts(int i) const;
    int FactCount() const { return static_cast<int>(facts_.size()); }

    // The wrapper of the asserted fact; empty when the engine asserted
    // nothing (a duplicate, or text it could not read).
    virtual std::shared_ptr<TClipsFact> Assert(const std::string& text);
    virtual void Initialize();
    virtual void Finalize();
    virtual void Clear();
    virtual void Reset();
    virtual void Run();
    virtual void RunLimit(int limit);
    // The number of rules the last Run or RunLimit fired.
    long long LastFired() const { return lastFired_; }
    virtual void BLoad(const std::string& file);
    // A file calling a function that reaches the system, files or the
    // program is refused (ECLIPSRefusedException naming the file, the line
    // and the function) before anything is loaded or cleared.
    virtual void LoadFromFile(const std::string& file);
    virtual void LoadAppend(const std::string& file);
    // The same for the text of a rule file read already (file names it in
    // messages): the engine itself opens no file.
    void LoadFromText(const std::string& file, const std::string& text);
    void LoadAppendText(const std::string& file, const std::string& text);
    // The text of a rule file (a regular one of at most kMaxFileBytes);
    // nothing, with the reason for the user (code page 1250) in why, when
    // it cannot be read or is larger.
    static constexpr std::size_t kMaxFileBytes = std::size_t(16) << 20;
    static std::optional<std::string> ReadFile(const std::string& file, std::string& why);
    // A rule file a user wrote, read as ReadFile reads it and then as a
    // command file is: code page 1250, UTF-8 with or without its mark, or
    // UTF-16 with its mark, told by the text outside comments (from ";"
    // outside a string to the line's end), whose lines must all be written
    // in one of them and hold only characters code page 1250 has. The text
    // in code page 1250, or nothing with the reason in why.
    static std::optional<std::string> ReadRuleFile(const std::string& file, std::string& why);
    static std::optional<std::string> RuleFileText(const std::string& file, std::string_view bytes, std::string& why);
    virtual void BSave(const std::string& file);
    virtual void Save(const std::string& file);
    // The text Save writes, without a file.
    std::string ConstructsText();
    // The line of the last loaded file where the engine reported its first
    // error; 0 when the load reported none, -1 when the line is unknown.
    long LastErrorLine() const;
    // An error stopped the last run, reset or clear before its end.
    bool EngineHalted() const;
    // What the engine printed on its error and warning routes, in order:
    // its messages and the text rules printed there.
    const std::string& Messages() const;
    // What it printed on its other routes, in order: what rules print on
    // t, stdout, wdisplay, wtrace ... and the listings they ask for.
    const std::string& Printed() const;

    // Everything the engine printed, in order.
    const std::string& Log() const;
    void ClearLog();

protected:
    // The engine's notifications; fact is the engine's fact handle.
    virtual void DoAssert(void* fact);
    virtual void DoClear();
    virtual void DoPeriodic();
    virtual void DoReset();
    virtual void DoRetract(void* fact);
    virtual void DoExit();
    virtual void DoOutOfMemory();

private:
    friend class ClipsEngine;
    friend class TClipsFact;

    void StartEngine();
    void StopEngine();
    // Created facts last until the engine clears or loads.
    void ForgetCreated();
    void Check(const std::string& file, const std::string& text);
    void Load(const std::string& file, const std::optional<std::string>& text, bool clearFirst);
    void WriteFile(const std::string& file, bool binary);
    void Changed();

    std::unique_ptr<ClipsEngine> engine_;
    std::unordered_map<long long, std::shared_ptr<TClipsFact>> facts_;  // by index
    mutable std::vector<std::shared_ptr<TClipsFact>> order_;           // Facts(i); empty after a change
    std::string filename_;
    long long lastFired_ = 0;
    long errorLine_ = 0;
    std::shared_ptr<TClipsFact> lastAsserted_;
    std::vector<std::weak_ptr<TClipsFact>> created_;
};

}  // namespace vesk
