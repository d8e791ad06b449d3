// A file name from outside (command line, file dialog) as bytes: carried
// into code page 1250 only when it converts back to the same bytes, shown
// readably either way, never a crash.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "CodePage.h"
#include "FileSystem.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string nazwa(reinterpret_cast<const char*>(data), size);
    if (const auto core = vesk::fileNameToCp1250(nazwa); core && vesk::cp1250ToUtf8(*core) != nazwa) std::abort();
    // The readable form is plain code page 1250 text with no control bytes.
    for (char c : vesk::readableFileName(nazwa))
        if (static_cast<unsigned char>(c) < 0x20) std::abort();
    (void)vesk::unusableFileNameMessage(nazwa);
    return 0;
}
