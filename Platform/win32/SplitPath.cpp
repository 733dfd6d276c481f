// The C runtime's _splitpath and _makepath. Both separators count, and a dot in the
// directory part never starts the extension.
#include <windows.h>

#include <string_view>

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

void CopyPart(char* out, size_t capacity, std::string_view part) {
    if (out == NULL) {
        return;
    }
    const size_t length = part.size() < capacity - 1 ? part.size() : capacity - 1;
    part.copy(out, length);
    out[length] = '\0';
}

}  // namespace

void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext) {
    std::string_view rest = path == NULL ? std::string_view() : std::string_view(path);

    std::string_view drivePart;
    if (rest.size() >= 2 && rest[1] == ':') {
        drivePart = rest.substr(0, 2);
        rest.remove_prefix(2);
    }

    std::string_view dirPart;
    for (size_t i = rest.size(); i > 0; --i) {
        if (IsSeparator(rest[i - 1])) {
            dirPart = rest.substr(0, i);
            rest.remove_prefix(i);
            break;
        }
    }

    const size_t dot = rest.rfind('.');
    const std::string_view namePart = dot == std::string_view::npos ? rest : rest.substr(0, dot);
    const std::string_view extPart = dot == std::string_view::npos ? std::string_view() : rest.substr(dot);

    CopyPart(drive, _MAX_DRIVE, drivePart);
    CopyPart(dir, _MAX_DIR, dirPart);
    CopyPart(fname, _MAX_FNAME, namePart);
    CopyPart(ext, _MAX_EXT, extPart);
}

void _makepath(char* path, const char* drive, const char* dir, const char* fname, const char* ext) {
    if (path == NULL) {
        return;
    }
    char* out = path;
    if (drive != NULL && drive[0] != '\0') {
        *out++ = drive[0];
        *out++ = ':';
    }
    if (dir != NULL && dir[0] != '\0') {
        const size_t length = strlen(dir);
        memcpy(out, dir, length);
        out += length;
        if (!IsSeparator(dir[length - 1])) {
            *out++ = '\\';
        }
    }
    if (fname != NULL) {
        const size_t length = strlen(fname);
        memcpy(out, fname, length);
        out += length;
    }
    if (ext != NULL && ext[0] != '\0') {
        if (ext[0] != '.') {
            *out++ = '.';
        }
        const size_t length = strlen(ext);
        memcpy(out, ext, length);
        out += length;
    }
    *out = '\0';
}
