// The input/output error of the core: which file, which operation (a
// Polish text such as "odczyt"), and why.
#pragma once

#include <stdexcept>
#include <string>

namespace vesk {

// The reason an exception gives, in Polish: a lack of memory and a system
// error in fileErrorText's words, any other as it says.
std::string exceptionText(const std::exception& e);

class IoError : public std::runtime_error {
public:
    IoError(std::string path, std::string operation, std::string reason = {});

    const std::string& path() const { return path_; }
    const std::string& operation() const { return operation_; }

private:
    std::string path_;
    std::string operation_;
};

}  // namespace vesk
