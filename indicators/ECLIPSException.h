// Errors of the rule-engine binding. what() is the binding's own text;
// details() carries what the engine itself printed during the failed
// operation (its diagnostics, captured from its output routes).
#pragma once

#include <stdexcept>
#include <string>

namespace vesk {

class ECLIPSException : public std::runtime_error {
public:
    explicit ECLIPSException(const std::string& message, std::string details = {});
    const std::string& details() const noexcept { return details_; }

private:
    std::string details_;
};

class ECLIPSIOException : public ECLIPSException {
public:
    using ECLIPSException::ECLIPSException;
};

class ECLIPSOpenException : public ECLIPSIOException {
public:
    using ECLIPSIOException::ECLIPSIOException;
};

class ECLIPSReadException : public ECLIPSIOException {
public:
    using ECLIPSIOException::ECLIPSIOException;
};

// A rule file calling a function that reaches outside the engine; it is
// refused before loading.
class ECLIPSRefusedException : public ECLIPSReadException {
public:
    using ECLIPSReadException::ECLIPSReadException;
};

class ECLIPSWriteException : public ECLIPSIOException {
public:
    using ECLIPSIOException::ECLIPSIOException;
};

class ECLIPSUnknownSlot : public ECLIPSException {
public:
    using ECLIPSException::ECLIPSException;
};

class ECLIPSInvalidDataObject : public ECLIPSException {
public:
    using ECLIPSException::ECLIPSException;
};

}  // namespace vesk
