#include "Paths.h"

namespace vesk {

bool isPathSeparator(char c) { return c == '\\' || c == '/'; }

namespace {
std::string::size_type lastSeparator(const std::string& path) {
    return path.find_last_of("\\/");
}
}  // namespace

std::string folderPart(const std::string& path) {
    auto p = lastSeparator(path);
    if (p == std::string::npos) return {};
    return path.substr(0, p + 1);
}

std::string fileNamePart(const std::string& path) {
    auto p = lastSeparator(path);
    if (p == std::string::npos) return path;
    return path.substr(p + 1);
}

std::string normalizeFolder(const std::string& folder) {
    if (folder.empty()) return folder;
    std::string s = folder;
    for (char& c : s)
        if (c == '\\') c = '/';
    if (s.back() != '/') s.push_back('/');
    return s;
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty() || isPathSeparator(folder.back())) return folder + name;
    return folder + "/" + name;
}

}  // namespace vesk
