#include "ECLIPSException.h"

#include <utility>

namespace vesk {

ECLIPSException::ECLIPSException(const std::string& message, std::string details)
    : std::runtime_error(message), details_(std::move(details)) {}

}  // namespace vesk
