// A scratch folder and a context that live as long as the fuzzing process:
// every input is written into the folder as the file its reader expects.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "Kontekst.h"
#include "TempDir.h"
#include "UserInterface.h"

namespace vesk::fuzz {

// In memory where the system has a memory file system: each input rewrites
// files, and a disk would turn that into block I/O.
inline const test::TempDir& folder() {
    static const test::TempDir dir = [] {
        if (std::filesystem::is_directory("/dev/shm")) ::setenv("TMPDIR", "/dev/shm", 1);
        return test::TempDir();
    }();
    return dir;
}

inline void writeFile(const std::string& name, const std::uint8_t* data, std::size_t size) {
    folder().write(name, std::string(reinterpret_cast<const char*>(data), size));
}

// One context for the whole process (a fresh one per input costs more than
// most readers), its messages forgotten before each input.
inline Kontekst& context() {
    static ScriptedUserInterface ui;
    static Kontekst k(ui);
    ui.messages.clear();
    return k;
}

}  // namespace vesk::fuzz
