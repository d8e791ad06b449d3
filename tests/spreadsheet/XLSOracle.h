// Runs the Python oracles (olefile, xlrd) of the workbook tests. Without
// them a test skips, unless CI=true, where a missing oracle fails.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace vesk::test {

inline bool oracleModuleAvailable(const std::string& module) {
    std::string command = "/usr/bin/python3 -c 'import " + module + "' >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

inline bool requireOracle(const std::string& module) {
    if (oracleModuleAvailable(module)) return true;
    const char* ci = std::getenv("CI");
    if (ci && std::string(ci) == "true") ADD_FAILURE() << "oracle python3-" << module << " is missing";
    return false;
}

// Runs a Python script (given as text) with one argument; its standard
// output, and the exit status through status.
inline std::string runPython(const std::string& script, const std::string& argument, int& status) {
    std::string command = "/usr/bin/python3 -c '" + script + "' '" + argument + "' 2>&1";
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        status = -1;
        return output;
    }
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) output.append(buffer.data(), n);
    status = ::pclose(pipe);
    return output;
}

}  // namespace vesk::test
