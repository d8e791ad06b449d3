// The rule engine run where a rule file can do no harm: every operation
// is carried out in a child process of its own that may not open a file
// for writing, create, remove or rename anything, start a program or end
// ours, and that is stopped when it runs too long, recurses too deep or
// takes too much memory. The child reports through a pipe what the engine
// printed, asserted and retracted, and the facts and constructs asked
// for; the caller sees the engine as it saw it in its own process.
//
// The engine keeps no state between operations: the steps that made the
// present state are given again (without their log) before the new ones.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace vesk {

struct SandboxStep {
    enum class Kind { Load, LoadAppend, Clear, Reset, Run };
    Kind What = Kind::Reset;
    std::string File;      // Load, LoadAppend: a core name
    long long Limit = -1;  // Run: rule firings, -1 without a limit
};

struct SandboxLimits {
    int CpuSeconds = 5;                        // processor time of the child
    int WallSeconds = 8;                       // time from start to end
    std::size_t Memory = std::size_t(256) << 20;  // above what the program held
};

struct SandboxJob {
    std::vector<SandboxStep> Replayed;  // bring the engine back, no log
    std::vector<SandboxStep> Steps;     // the operation, logged
    bool WantFacts = false;             // the ordered facts at the end
    bool WantConstructs = false;        // what a save would write
    SandboxLimits Limits;
};

struct SandboxResult {
    bool Ok = false;
    // The engine log lines: "Clear", "Reset", "Assertion: ...", ...
    std::vector<std::string> Log;
    long long Fired = 0;  // by the last Run step
    std::vector<std::vector<std::string>> Facts;
    std::string Constructs;
    // What went wrong, for the user (code page 1250), with the engine's
    // own text where it gave one.
    std::string Error;
    bool Stopped = false;  // the caller asked to stop
    long PeakKb = 0;       // the child's largest resident size
};

// Runs the job in a child process. keepGoing is called about every 50 ms
// while the child works; when it returns false the child is ended.
SandboxResult RunSandboxed(const SandboxJob& job, const std::function<bool()>& keepGoing);

}  // namespace vesk
