// The resource manager's registry of files found on disk, and the path rules around it.
//
// A file is keyed by a 32-bit hash of its path that ignores the drive, letter case,
// separators, dots and the difference between extensions of one class (.png/.dds images,
// .x models, .fx effects), so a request for tex\a.png finds a registered D:\data\tex\a.dds.
// With a base directory set, everything in a path before the first occurrence of that
// directory is ignored as well.
#pragma once

#include <windows.h>

#include <map>
#include <string>

class CFileRegistry {
public:
    DWORD ComputePathKey(const char* path) const;

    // The path a resource named `fileName` beside the file `referencePath` is loaded from
    // and cached under: the registered file with the candidate's key if there is one,
    // else the candidate, "<reference drive><reference directory>\<fileName without drive>".
    std::string ResolveResourcePath(const char* referencePath, const char* fileName) const;

    // Scans `directory` recursively for files matching the wildcard `pattern` and registers
    // each under its key; a later file with the same key replaces the earlier one. Entries
    // without an extension are taken for directories. Null or empty arguments do nothing.
    void RegisterFiles(const char* directory, const char* pattern);

    // Stored in upper case; null or "" clears it. Keys already registered are not recomputed.
    void SetBaseDirectory(const char* directory);
    const std::string& BaseDirectory() const { return baseDirectory; }

    // Whether the registered file with the key of `path` exists, or `path` itself when no
    // registered file has that key.
    BOOL FileExists(const char* path) const;

    // Full paths of the registered files by key, in ascending key order.
    const std::map<DWORD, std::string>& Files() const { return files; }

private:
    void Register(const std::string& fullPath);

    std::map<DWORD, std::string> files;
    std::string baseDirectory;
};
