// The program's command-line parameters, stored once at start (in code
// page 1250) and read by the core: "wolny", "P" with three numbers, "/f"
// with a tree file.
#pragma once

#include <string>
#include <vector>

namespace vesk {

class CommandLine {
public:
    CommandLine() = default;
    explicit CommandLine(std::vector<std::string> parameters) : params_(std::move(parameters)) {}

    int count() const { return static_cast<int>(params_.size()); }
    // Parameter i, counted from 1; empty when absent.
    std::string param(int i) const {
        if (i < 1 || i > count()) return {};
        return params_[static_cast<std::size_t>(i - 1)];
    }

private:
    std::vector<std::string> params_;
};

}  // namespace vesk
