// Rule files given to the rule-engine component: load, reset, and read
// every fact the file produced through the component's wrappers. The
// engine's own reader is not ours to fuzz for crashes in depth; inputs
// calling functions that reach the system, files or the process (or loop)
// are skipped, since a rule file may legitimately do so.
#include "TClips.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

bool Harmless(const std::string& text) {
    static const char* const kRefused[] = {"system", "exit", "open", "remove", "rename", "batch",
                                           "dribble", "save", "load", "close", "while", "loop",
                                           "deffunction", "defgeneric", "defmethod", "format",
                                           "run", "halt"};
    for (const char* word : kRefused)
        if (text.find(word) != std::string::npos) return false;
    return true;
}

void ReadFact(const vesk::TClipsFact& fact) {
    (void)fact.Text();
    (void)fact.Index();
    for (const auto& name : fact.Slots()) {
        try {
            (void)fact.GetSlotValue(name);
        } catch (const vesk::ECLIPSException&) {
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    if (size > 4096 || !Harmless(text)) return 0;
    static const std::string path = "/tmp/vesk-fuzz-clips-" + std::to_string(::getpid()) + ".clp";
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    } else {
        return 0;
    }
    vesk::TClips clips;
    clips.OnAssertion = [](vesk::TClips&, const std::shared_ptr<vesk::TClipsFact>& fact) { ReadFact(*fact); };
    try {
        clips.LoadFromFile(path);
        clips.Reset();
        for (int i = 0; i < clips.FactCount(); ++i) ReadFact(*clips.Facts(i));
        if (clips.FactCount() > 0) clips.Facts(0)->Retract();
    } catch (const vesk::ECLIPSException&) {
    }
    return 0;
}
