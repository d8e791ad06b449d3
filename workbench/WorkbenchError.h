// The error of the workbench core: what kind of fault, where (file and
// line, when it comes from a file), and the text shown to the user.
#pragma once

#include <stdexcept>
#include <string>

namespace vesk {

class WorkbenchError : public std::runtime_error {
public:
    enum class Kind {
        TreeFormat,  // a tree file that is not a valid decision tree
        TreeRead,    // a tree file that cannot be read
    };

    WorkbenchError(Kind kind, std::string file, int line, const std::string& message);

    Kind kind() const { return kind_; }
    const std::string& file() const { return file_; }
    int line() const { return line_; }  // from 1; 0 when no line applies

private:
    Kind kind_;
    std::string file_;
    int line_;
};

}  // namespace vesk
