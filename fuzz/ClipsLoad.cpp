// Rule files given to the rule engine the way the indicator window gives
// them: checked for calls that reach the system, files or the program,
// then loaded, reset and run (a few firings) in the confined child
// process, and what it printed, its messages and every ordered fact read
// back through the pipe. Whatever the file does, the child may
// fail but this process goes on. Inputs that could loop (or recurse) for
// ever are skipped to keep the target quick: the child would only run
// into its time limit.
#include "TClipsSandbox.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

bool EndsInTime(const std::string& text) {
    static const char* const kLooping[] = {"while", "loop", "deffunction", "defgeneric", "defmethod",
                                           "defmessage-handler", "format", "run", "halt"};
    for (const char* word : kLooping)
        if (text.find(word) != std::string::npos) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    if (size > 4096 || !EndsInTime(text)) return 0;
    static const std::string path = "/tmp/vesk-fuzz-clips-" + std::to_string(::getpid()) + ".clp";
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    } else {
        return 0;
    }
    vesk::SandboxJob job;
    job.Steps = {{vesk::SandboxStep::Kind::Load, path},
                 {vesk::SandboxStep::Kind::Reset, {}},
                 {vesk::SandboxStep::Kind::Run, {}, 100}};
    job.WantFacts = true;
    job.Limits.CpuSeconds = 1;
    job.Limits.WallSeconds = 2;
    const vesk::SandboxResult r = vesk::RunSandboxed(job, {});
    if (r.Ok != r.Error.empty()) __builtin_trap();
    return 0;
}
