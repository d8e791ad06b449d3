// Text files read as lines and written with CR LF line ends.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// The lines of a text file, CR LF or LF ended (a last line without an end
// counts); nothing when the file cannot be opened or read, or is longer
// than `bound` bytes (BinaryFile::readRest).
std::optional<std::vector<std::string>> readTextLines(const std::string& path, std::uint64_t bound);
// The same split of text already read: lines end at LF, a CR right before
// the LF belongs to the line end, a CR inside a line stays (a report
// template's lines are counted so) unless a lone CR is to end a line too,
// as in a file an old Mac editor saved.
enum class LoneCr { InLine, EndsLine };
std::vector<std::string> splitTextLines(const std::string& data, LoneCr loneCr = LoneCr::InLine);

// Writes a text file line by line with CR LF line ends.
class TextWriter {
public:
    TextWriter() = default;
    ~TextWriter();
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    // Makes the file new (createNewNative): false, nothing written, where
    // anything has its name.
    bool create(const std::string& path);
    bool isOpen() const { return file_ != nullptr; }
    bool writeLine(std::string_view line);
    // Flushes the file to the device (fsync) and closes it; false when
    // anything failed since create().
    bool close();

private:
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

// Writes a whole text file (CR LF) through replaceFile (createFile with
// onlyNew); false on any failure, the old file then untouched.
bool writeTextLines(const std::string& path, const std::vector<std::string>& lines, bool onlyNew = false);

}  // namespace vesk
