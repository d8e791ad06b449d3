// A full disk under one open file: the process's descriptor of the file
// is turned onto /dev/full, so the next write through it fails.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace vesk::test {

// Makes the open file at sciezka write to /dev/full from now on; false
// where no descriptor of this process holds it.
inline bool PelnyDysk(const std::string& sciezka) {
    const int pelny = ::open("/dev/full", O_WRONLY);
    if (pelny < 0) return false;
    bool podmieniono = false;
    for (const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code ec;
        const auto cel = std::filesystem::read_symlink(e.path(), ec);
        if (!ec && cel == std::filesystem::path(sciezka)) {
            podmieniono = ::dup2(pelny, std::stoi(e.path().filename().string())) >= 0;
            break;
        }
    }
    ::close(pelny);
    return podmieniono;
}

}  // namespace vesk::test
