// CProfileFile: a Windows private-profile (INI) file read and written through the Win32
// profile functions, with every value read or written kept for the object's life.
//
// Values are cached per "SECTION.KEY" as spelt by the caller, compared byte for byte, so
// the cache is case-sensitive while the file is not: the same key read again with the same
// spelling never reaches the file, and a later change to the file is not seen. Each value
// type has its own cache. The path goes to the Win32 functions unchanged; pass a full path,
// since they look for a relative one in the Windows directory.
//
// A null section or key reads as the default and is never written.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

class CProfileFile {
public:
    explicit CProfileFile(const char* path);

    bool FileExists() const;

    // The value's text, cut to 999 characters; `defaultValue` (null taken as "") when the
    // file, section or key is missing. The pointer stays valid while this object lives and
    // the key is not written.
    const char* GetString(const char* section, const char* key, const char* defaultValue);
    // The value read as the C runtime's atof does: text that is not a number gives 0.
    float GetFloat(const char* section, const char* key, float defaultValue);
    int GetInt(const char* section, const char* key, int defaultValue);

    // Each returns whether the file was written; the cache takes the value only then.
    bool WriteString(const char* section, const char* key, const char* value);
    // Written with six decimals.
    bool WriteFloat(const char* section, const char* key, float value);
    bool WriteInt(const char* section, const char* key, int value);

    // Names in file order, read through a buffer of `bufferSize` characters (a list that
    // does not fit is cut); empty when the file does not exist.
    std::vector<std::string> GetSectionNames(DWORD bufferSize) const;
    // The key of every line of the section that has one, in file order.
    std::vector<std::string> GetKeyNames(const char* section, DWORD bufferSize) const;

private:
    static std::string CacheKey(const char* section, const char* key);

    std::string path;
    std::map<std::string, int> intCache;
    std::map<std::string, float> floatCache;
    std::map<std::string, std::string> textCache;
};
