// The rich-text reader of the help texts over arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "Rtf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vesk::rtfToHtml(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
