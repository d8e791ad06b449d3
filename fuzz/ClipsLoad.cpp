// Rule files given to the rule-engine component: checked for calls that
// reach the system, files or the program, loaded, reset, and every fact
// the file produced read through the component's wrappers. Calls the check
// lets through run for real, so a gap in it shows as a crash or an exit.
// Inputs that could loop (or recurse) for ever are skipped: the engine
// runs what a rule file asks for as long as it asks.
#include "TClips.h"

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
    if (size > 4096 || !EndsInTime(text)) return 0;
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
