#include "resources/FileRegistry.h"

#include <shlwapi.h>
#include <string.h>

#include "resources/PathParts.h"

namespace {

// The key is reduced modulo this prime after every character.
const DWORD kKeyModulus = 0x1FFFFD9;

// Room for a composed key text: directory and name of a path of at most MAX_PATH - 1
// characters, an inserted separator and a key suffix of up to three characters.
const size_t kKeyTextSize = MAX_PATH + 8;

char AsciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool EqualsIgnoringCase(const char* a, const char* b)
{
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (AsciiUpper(*a) != AsciiUpper(*b)) {
            return false;
        }
    }
    return *a == '\0' && *b == '\0';
}

// Extensions of one class share a suffix, so a request may name any of them; any other
// extension is a class of its own.
const char* KeySuffix(const char* extension)
{
    if (EqualsIgnoringCase(extension, ".png") || EqualsIgnoringCase(extension, ".dds")) {
        return "gfx";
    }
    if (EqualsIgnoringCase(extension, ".x")) {
        return "mdl";
    }
    if (EqualsIgnoringCase(extension, ".fx")) {
        return "fx";
    }
    return extension;
}

void Append(char* text, size_t& length, const char* part)
{
    while (*part != '\0' && length + 1 < kKeyTextSize) {
        text[length++] = *part++;
    }
    text[length] = '\0';
}

bool IsDotName(const char* name)
{
    return name[0] == '\0' || strcmp(name, ".") == 0 || strcmp(name, "..") == 0;
}

} // namespace

DWORD CFileRegistry::ComputePathKey(const char* path) const
{
    const CPathParts parts(path);
    char text[kKeyTextSize];
    size_t length = 0;
    text[0] = '\0';
    Append(text, length, parts.directory);
    if (length > 0 && !IsSeparator(text[length - 1])) {
        Append(text, length, "\\");
    }
    Append(text, length, parts.name);
    Append(text, length, KeySuffix(parts.extension));

    // Upper case is what gets hashed anyway, so the base directory is searched in place.
    for (size_t i = 0; i < length; ++i) {
        text[i] = AsciiUpper(text[i]);
    }
    size_t start = 0;
    if (!baseDirectory.empty()) {
        const char* found = strstr(text, baseDirectory.c_str());
        if (found != nullptr) {
            start = static_cast<size_t>(found - text);
        }
    }

    DWORD key = 0;
    for (size_t i = start; i < length; ++i) {
        const char c = text[i];
        if (IsSeparator(c) || c == '.') {
            continue;
        }
        // Bytes above 0x7F enter sign-extended, as a signed char promoted to 32 bits does.
        const DWORD value = static_cast<DWORD>(static_cast<int>(static_cast<signed char>(c)));
        key = (value + key * 32) % kKeyModulus;
    }
    return key;
}

std::string CFileRegistry::ResolveResourcePath(const char* referencePath, const char* fileName) const
{
    const CPathParts file(fileName);
    const CPathParts reference(referencePath);

    // An empty reference directory becomes "\": such requests name a path from the root
    // and rely on the registry.
    std::string candidate = reference.drive;
    candidate += reference.directory;
    if (reference.directory[0] == '\0' || !IsSeparator(candidate.back())) {
        candidate += '\\';
    }
    candidate += file.directory;
    candidate += file.name;
    candidate += file.extension;

    const auto registered = files.find(ComputePathKey(candidate.c_str()));
    return registered != files.end() ? registered->second : candidate;
}

void CFileRegistry::RegisterFiles(const char* directory, const char* pattern)
{
    if (directory == nullptr || directory[0] == '\0' || pattern == nullptr || pattern[0] == '\0') {
        return;
    }
    const std::string search = std::string(directory) + '\\' + pattern;
    // Paths are limited to MAX_PATH - 1 characters; this also ends the recursion through
    // extension-less entries that are not directories after all.
    if (search.size() >= MAX_PATH) {
        return;
    }
    const CPathParts searchParts(search.c_str());
    const std::string folder = std::string(searchParts.drive) + searchParts.directory;

    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(search.c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const CPathParts entryParts(entry.cFileName);
            const std::string fullPath = folder + entryParts.name + entryParts.extension;
            if (entryParts.extension[0] == '\0') {
                RegisterFiles(fullPath.c_str(), pattern);
            } else if (!IsDotName(entryParts.name)) {
                Register(fullPath);
            }
        } while (FindNextFileA(find, &entry));
    } else {
        // Nothing matches here: look for subdirectories that may hold matching files.
        find = FindFirstFileA((std::string(directory) + "\\*.*").c_str(), &entry);
        if (find == INVALID_HANDLE_VALUE) {
            return;
        }
        do {
            const CPathParts entryParts(entry.cFileName);
            if (entryParts.extension[0] == '\0') {
                RegisterFiles((folder + entryParts.name).c_str(), pattern);
            }
        } while (FindNextFileA(find, &entry));
    }
    FindClose(find);
}

void CFileRegistry::Register(const std::string& fullPath)
{
    files[ComputePathKey(fullPath.c_str())] = fullPath;
}

void CFileRegistry::SetBaseDirectory(const char* directory)
{
    baseDirectory.clear();
    if (directory == nullptr) {
        return;
    }
    for (size_t i = 0; directory[i] != '\0' && i < MAX_PATH - 1; ++i) {
        baseDirectory += AsciiUpper(directory[i]);
    }
}

BOOL CFileRegistry::FileExists(const char* path) const
{
    if (path == nullptr) {
        return FALSE;
    }
    const auto registered = files.find(ComputePathKey(path));
    return PathFileExistsA(registered != files.end() ? registered->second.c_str() : path);
}
