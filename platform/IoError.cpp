#include "IoError.h"

#include <cerrno>
#include <new>
#include <system_error>

#include "FileSystem.h"

namespace vesk {

namespace {
std::string compose(const std::string& path, const std::string& operation, const std::string& reason) {
    // The program's own texts are Polish (code page 1250).
    std::string s = "B\xB3\xB9" "d pliku " + path + ": " + operation;
    if (!reason.empty()) s += " - " + reason;
    return s;
}
}  // namespace

std::string exceptionText(const std::exception& e) {
    if (dynamic_cast<const std::bad_alloc*>(&e)) return fileErrorText(ENOMEM);
    if (const auto* s = dynamic_cast<const std::system_error*>(&e);
        s && (s->code().category() == std::generic_category() || s->code().category() == std::system_category()))
        return fileErrorText(s->code().value());
    return e.what();
}

IoError::IoError(std::string path, std::string operation, std::string reason)
    : std::runtime_error(compose(path, operation, reason)),
      path_(std::move(path)),
      operation_(std::move(operation)) {}

}  // namespace vesk
