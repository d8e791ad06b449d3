#include "IoError.h"

namespace vesk {

namespace {
std::string compose(const std::string& path, const std::string& operation, const std::string& reason) {
    // The program's own texts are Polish (code page 1250).
    std::string s = "B\xB3\xB9" "d pliku " + path + ": " + operation;
    if (!reason.empty()) s += " - " + reason;
    return s;
}
}  // namespace

IoError::IoError(std::string path, std::string operation, std::string reason)
    : std::runtime_error(compose(path, operation, reason)),
      path_(std::move(path)),
      operation_(std::move(operation)) {}

}  // namespace vesk
