#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

struct SplitCase {
    const char* path;
    const char* drive;
    const char* dir;
    const char* fname;
    const char* ext;
};

TEST(SplitPath, WindowsTable) {
    const SplitCase cases[] = {
        {"C:\\game\\tex\\wood.png", "C:", "\\game\\tex\\", "wood", ".png"},
        {"tex/wood.png", "", "tex/", "wood", ".png"},
        {"a\\b/c.d.e", "", "a\\b/", "c.d", ".e"},
        {"dir.v2\\readme", "", "dir.v2\\", "readme", ""},
        {"C:file.txt", "C:", "", "file", ".txt"},
        {"C:\\dir\\", "C:", "\\dir\\", "", ""},
        {".hidden", "", "", "", ".hidden"},
        {".", "", "", "", "."},
        {"..", "", "", ".", "."},
        {"\\\\server\\share\\f.txt", "", "\\\\server\\share\\", "f", ".txt"},
        {"", "", "", "", ""},
    };
    for (const SplitCase& c : cases) {
        char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
        _splitpath(c.path, drive, dir, fname, ext);
        EXPECT_STREQ(drive, c.drive) << c.path;
        EXPECT_STREQ(dir, c.dir) << c.path;
        EXPECT_STREQ(fname, c.fname) << c.path;
        EXPECT_STREQ(ext, c.ext) << c.path;
    }
}

TEST(SplitPath, NullOutputsAreSkippedAndLongPartsCut) {
    char fname[_MAX_FNAME];
    const std::string longName(300, 'n');
    char ext[_MAX_EXT];
    _splitpath((longName + ".e").c_str(), NULL, NULL, fname, ext);
    EXPECT_EQ(strlen(fname), static_cast<size_t>(_MAX_FNAME - 1));
    EXPECT_STREQ(ext, ".e");
}

TEST(MakePath, WindowsTable) {
    char path[_MAX_PATH];
    _makepath(path, "C", "\\game", "wood", "png");
    EXPECT_STREQ(path, "C:\\game\\wood.png");
    _makepath(path, "C:", "\\game\\", "wood", ".png");
    EXPECT_STREQ(path, "C:\\game\\wood.png");
    _makepath(path, NULL, "tex/", "wood", ".dds");
    EXPECT_STREQ(path, "tex/wood.dds");
    _makepath(path, "D:", "", "a", "");
    EXPECT_STREQ(path, "D:a");
}

TEST(MakePath, RejoinsWhatSplitPathTookApart) {
    // The engine builds its configuration path this way: split, change the extension, join.
    char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT], path[_MAX_PATH];
    _splitpath("/opt/games/Viewer", drive, dir, fname, ext);
    _makepath(path, drive, dir, fname, "ini");
    EXPECT_STREQ(path, "/opt/games/Viewer.ini");
}

}  // namespace
