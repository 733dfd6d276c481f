// A Windows path split into drive, directory, name and extension.
#pragma once

#include <windows.h>

class CPathParts {
public:
    // The directory keeps its trailing separator and the extension its dot. Paths longer
    // than MAX_PATH - 1 characters are a caller error; they are cut to that length so the
    // parts always fit.
    explicit CPathParts(const char* path);

    char drive[MAX_PATH];
    char directory[MAX_PATH];
    char name[MAX_PATH];
    char extension[MAX_PATH];
};
