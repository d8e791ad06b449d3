// Any bytes as a rule file's text: read in the encoding its lines are
// written in, or refused with a reason. The text given to the engine is
// code page 1250 (no byte that page leaves unused outside a comment would
// reach it unread: the checks here are that it comes whole or not at all).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "TClips.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::string why = "x";
    const std::optional<std::string> text = vesk::TClips::RuleFileText("f.clp", bytes, why);
    // A text and no reason, or a reason and no text.
    if (text.has_value() == !why.empty()) __builtin_trap();
    if (text && text->find('\0') != std::string::npos) __builtin_trap();
    return 0;
}
