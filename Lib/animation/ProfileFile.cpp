#include "animation/ProfileFile.h"

#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Values are read through a buffer of this many characters, terminator included.
constexpr DWORD ValueBufferSize = 1000;

std::string FormatFloat(float value)
{
    char text[64];
    std::snprintf(text, sizeof(text), "%f", static_cast<double>(value));
    return text;
}

// The entries of a list of NUL-terminated strings (ended by an empty one) that the
// profile functions wrote into `buffer`, `length` characters long.
std::vector<std::string> SplitList(const std::vector<char>& buffer, DWORD length)
{
    std::vector<std::string> entries;
    const char* cursor = buffer.data();
    const char* const end = buffer.data() + std::min<size_t>(length, buffer.size());
    while (cursor < end && *cursor != '\0') {
        entries.emplace_back(cursor, strnlen(cursor, static_cast<size_t>(end - cursor)));
        cursor += entries.back().size() + 1;
    }
    return entries;
}

} // namespace

CProfileFile::CProfileFile(const char* path) : path(path != nullptr ? path : "") {}

std::string CProfileFile::CacheKey(const char* section, const char* key)
{
    return std::string(section) + "." + key;
}

bool CProfileFile::FileExists() const
{
    return PathFileExistsA(path.c_str()) == 1;
}

const char* CProfileFile::GetString(const char* section, const char* key, const char* defaultValue)
{
    if (defaultValue == nullptr) {
        defaultValue = "";
    }
    if (section == nullptr || key == nullptr) {
        return defaultValue;
    }
    const std::string cacheKey = CacheKey(section, key);
    const auto cached = textCache.find(cacheKey);
    if (cached != textCache.end()) {
        return cached->second.c_str();
    }
    char value[ValueBufferSize];
    GetPrivateProfileStringA(section, key, defaultValue, value, ValueBufferSize, path.c_str());
    return (textCache[cacheKey] = value).c_str();
}

float CProfileFile::GetFloat(const char* section, const char* key, float defaultValue)
{
    if (section == nullptr || key == nullptr) {
        return defaultValue;
    }
    const std::string cacheKey = CacheKey(section, key);
    const auto cached = floatCache.find(cacheKey);
    if (cached != floatCache.end()) {
        return cached->second;
    }
    const float value = static_cast<float>(std::atof(GetString(section, key, FormatFloat(defaultValue).c_str())));
    floatCache[cacheKey] = value;
    return value;
}

int CProfileFile::GetInt(const char* section, const char* key, int defaultValue)
{
    if (section == nullptr || key == nullptr) {
        return defaultValue;
    }
    const std::string cacheKey = CacheKey(section, key);
    const auto cached = intCache.find(cacheKey);
    if (cached != intCache.end()) {
        return cached->second;
    }
    const int value = static_cast<int>(GetPrivateProfileIntA(section, key, defaultValue, path.c_str()));
    intCache[cacheKey] = value;
    return value;
}

bool CProfileFile::WriteString(const char* section, const char* key, const char* value)
{
    if (section == nullptr || key == nullptr || value == nullptr) {
        return false;
    }
    if (WritePrivateProfileStringA(section, key, value, path.c_str()) != 1) {
        return false;
    }
    textCache[CacheKey(section, key)] = value;
    return true;
}

bool CProfileFile::WriteFloat(const char* section, const char* key, float value)
{
    if (!WriteString(section, key, FormatFloat(value).c_str())) {
        return false;
    }
    floatCache[CacheKey(section, key)] = value;
    return true;
}

bool CProfileFile::WriteInt(const char* section, const char* key, int value)
{
    if (!WriteString(section, key, std::to_string(value).c_str())) {
        return false;
    }
    intCache[CacheKey(section, key)] = value;
    return true;
}

std::vector<std::string> CProfileFile::GetSectionNames(DWORD bufferSize) const
{
    if (!FileExists() || bufferSize == 0) {
        return {};
    }
    std::vector<char> buffer(bufferSize, '\0');
    const DWORD length = GetPrivateProfileSectionNamesA(buffer.data(), bufferSize, path.c_str());
    return SplitList(buffer, length);
}

std::vector<std::string> CProfileFile::GetKeyNames(const char* section, DWORD bufferSize) const
{
    if (section == nullptr || !FileExists() || bufferSize == 0) {
        return {};
    }
    std::vector<char> buffer(bufferSize, '\0');
    const DWORD length = GetPrivateProfileSectionA(section, buffer.data(), bufferSize, path.c_str());
    std::vector<std::string> keys;
    for (const std::string& entry : SplitList(buffer, length)) {
        // Lines without "=" have no key; "=value" has an empty one and is left out too.
        const size_t equals = entry.find('=');
        if (equals != std::string::npos && equals != 0) {
            keys.push_back(entry.substr(0, equals));
        }
    }
    return keys;
}
