// Formula text compiled into the 512-byte token buffer of a defined name.
// First byte: bit 0 the OOC syntax, bit 1 ";" and "," as list and decimal
// separators, bit 2 the rest read as UTF-16 (else as Latin-1), bit 3 the
// operand class 0x20.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "EXLSError.h"
#include "EncodeFormula.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    std::uint8_t flags = data[0];
    std::u16string text;
    if (flags & 4) {
        for (std::size_t i = 1; i + 1 < size; i += 2)
            text += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    } else {
        for (std::size_t i = 1; i < size; ++i)
            text += static_cast<char16_t>(data[i]);
    }
    vesk::TEncodeFormula encoder;
    if (flags & 2) {
        encoder.Settings.ArgumentSeparator = u';';
        encoder.Settings.DecimalSeparator = u',';
    }
    encoder.OnNameIndex = [](std::u16string_view name) { return name.size() == 4 ? 3 : -1; };
    encoder.On3DReference = [](const vesk::T3DReference& r) {
        vesk::T3DResolution a;
        if (r.Sheet.size() % 2 == 0 || !r.Path.empty()) {
            a.Position = static_cast<int>(r.Sheet.size() + r.Name.size()) % 4;
            a.ExtSheetIndex = a.Position + 1;
        }
        return a;
    };
    std::vector<std::uint8_t> buffer(512);
    try {
        int n = encoder.Encode(text, (flags & 8) ? 0x20 : 0, (flags & 1) != 0, buffer);
        if (n < 0 || n > 512)
            __builtin_trap();
    } catch (const vesk::EXLSError&) {
    }
    return 0;
}
