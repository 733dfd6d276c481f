#include "resources/PathParts.h"

#include <stdlib.h>
#include <string.h>

CPathParts::CPathParts(const char* path)
{
    char bounded[MAX_PATH] = {};
    if (path != nullptr) {
        strncpy(bounded, path, MAX_PATH - 1);
    }
    _splitpath(bounded, drive, directory, name, extension);
}
