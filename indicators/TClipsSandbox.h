// The rule engine run where a rule file can do no harm: the engine lives
// in a child process of its own that may, once started, only talk to the
// program over its socket, use memory and end (it opens nothing: the
// program reads the files a step loads and sends their text); it is stopped
// when an operation runs too long, recurses too deep or takes too much
// memory. The child reports what the engine printed, asserted and
// retracted, and the facts and constructs asked for; the caller sees the
// engine as it saw it in its own process.
//
// One child serves a whole session: each operation is sent to it and
// carried out on the engine as the earlier ones left it, so an operation
// costs the same however many came before. An operation that fails ends
// the child, and with it the engine's state; the next one starts afresh.
// The child dies with the program.
//
// Everything the program takes from the child is bounded in bytes: each
// log line and each fact field is cut (with a mark), and one operation's
// log, facts and constructs together are held to a budget; past it the
// operation ends with a message of its own. At most kSandboxFacts ordered
// facts come back, those the engine was made to put first before the
// others; the rest are counted. The engine's own (initial-fact) is not
// sent nor counted.
//
// The time limits hold for the steps; the sending of the results after
// them has limits of its own, so that a limit reached there is not the
// steps' (a rule file's) fault.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace vesk {

struct SandboxStep {
    enum class Kind { Load, LoadAppend, Clear, Reset, Run };
    Kind What = Kind::Reset;
    std::string File;      // Load, LoadAppend: a core name, read by the program
    long long Limit = -1;  // Run: rule firings, -1 without a limit
    // Load, LoadAppend: a file the program wrote itself, in code page 1250;
    // any other is a user's rule file (TClips::ReadRuleFile).
    bool Own = false;
};

struct SandboxLimits {
    int CpuSeconds = 5;                           // processor time of one operation
    int WallSeconds = 8;                          // time of one operation
    std::size_t Memory = std::size_t(256) << 20;  // above what the program held
    std::size_t Output = std::size_t(16) << 20;   // log, facts and constructs of one operation
};

// The cuts of what the engine returns: longer log lines and fact fields
// keep their start, followed by kSandboxCutMark. A log line is cut, mark
// included, to kSandboxLogLine bytes (what the session log keeps) before
// it counts against the budget.
inline constexpr char kSandboxCutMark[] = " \x85 (obci\xEAto)";
constexpr std::size_t kSandboxLogLine = 2000;
constexpr std::size_t kSandboxLineBytes = kSandboxLogLine - (sizeof(kSandboxCutMark) - 1);
constexpr std::size_t kSandboxFieldBytes = 4096;
constexpr std::size_t kSandboxFacts = 100000;

struct SandboxJob {
    std::vector<SandboxStep> Steps;  // the operation, logged
    bool WantFacts = false;          // the ordered facts at the end
    bool WantConstructs = false;     // what a save would write
    SandboxLimits Limits;
};

struct SandboxResult {
    bool Ok = false;
    // The engine log lines: "Clear", "Reset", "Assertion: ...", ...
    std::vector<std::string> Log;
    long long Fired = 0;  // by the last Run step
    std::vector<std::vector<std::string>> Facts;
    // Ordered facts the engine held beyond kSandboxFacts, not sent; of
    // them, those of the kind put first.
    std::uint64_t FactsLeftOut = 0, FirstFactsLeftOut = 0;
    std::string Constructs;
    // What went wrong, for the user (code page 1250), with the engine's
    // own text where it gave one; the step that failed (an index into the
    // job's steps), -1 when the failure was not one step's.
    std::string Error;
    int FailedStep = -1;
    // What the engine printed on its error routes in the steps it carried
    // out: its warnings and errors, and whatever a rule printed there. The
    // engine's text, not the program's.
    std::string EngineMessages;
    // What the engine printed on its other routes in the steps it carried
    // out (a failed one too): what rules print on t, stdout, wdisplay, wtrace ...
    // and the listings they ask for ((facts), (agenda), a watch). The
    // engine's text, bounded and carried as EngineMessages are; no failure.
    std::string Printed;
    // An error stopped the run before its end (its text is in
    // EngineMessages); the facts it had made came all the same.
    bool Halted = false;
    bool Stopped = false;  // the caller asked to stop
};

// One engine in its confined child, started by the first operation.
class SandboxedEngine {
public:
    // Tells the ordered facts (by their fields, the relation first) that
    // are sent before all others.
    using FactTest = std::function<bool(const std::vector<std::string>& fields)>;
    explicit SandboxedEngine(FactTest first = {}) : first_(std::move(first)) {}
    ~SandboxedEngine();  // ends the child
    SandboxedEngine(const SandboxedEngine&) = delete;
    SandboxedEngine& operator=(const SandboxedEngine&) = delete;

    // Carries out the job's steps on the engine. keepGoing is called about
    // every 50 ms while the child works; when it returns false the child is
    // ended. The memory limit is the one of the operation that started the
    // child.
    SandboxResult Do(const SandboxJob& job, const std::function<bool()>& keepGoing);
    // A child holds an engine (with the state the operations left).
    bool Running() const { return pid_ > 0; }
    // Ends the child; the next operation starts an empty engine.
    void End();

private:
    bool Start(const SandboxLimits& limits);
    int Reap();

    FactTest first_;
    pid_t pid_ = -1;
    int fd_ = -1;
    long residentKbAtStart_ = 0;
    unsigned sequence_ = 0;
};

// One operation in an engine of its own, ended afterwards.
SandboxResult RunSandboxed(const SandboxJob& job, const std::function<bool()>& keepGoing);

}  // namespace vesk
