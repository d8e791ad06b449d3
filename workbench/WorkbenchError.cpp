#include "WorkbenchError.h"

namespace vesk {

namespace {
std::string opis(const std::string& file, int line, const std::string& message) {
    std::string s = "Plik drzewa " + file;
    if (line > 0) s += ", wiersz " + std::to_string(line);
    return s + ": " + message;
}
}  // namespace

WorkbenchError::WorkbenchError(Kind kind, std::string file, int line, const std::string& message)
    : std::runtime_error(opis(file, line, message)), kind_(kind), file_(std::move(file)), line_(line) {}

}  // namespace vesk
