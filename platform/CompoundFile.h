// The compound-document container of BIFF5 and BIFF8 workbooks (OLE
// structured storage), read from bytes into a tree and written from a tree
// to exactly the document's bytes. The only code that speaks to libgsf.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

class CompoundFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One element of a compound document: a stream with its bytes, or a storage
// (the root too) with its class id and its elements.
struct CompoundEntry {
    std::string name;  // UTF-8
    bool storage = false;
    std::array<std::uint8_t, 16> classId{};
    std::vector<std::uint8_t> data;
    std::vector<CompoundEntry> children;

    // The child of that name, compared without regard to ASCII case.
    const CompoundEntry* child(std::string_view childName) const;
};

// True when the bytes start with the compound-document signature.
bool isCompoundFile(const std::uint8_t* data, std::size_t size);

// The whole document as a tree; the root is a storage. Throws
// CompoundFileError for a document that cannot be read.
CompoundEntry readCompoundFile(const std::uint8_t* data, std::size_t size);

// The document's bytes for the tree under root (a storage). Throws
// CompoundFileError when it cannot be made.
std::vector<std::uint8_t> writeCompoundFile(const CompoundEntry& root);

}  // namespace vesk
