#include "support/GoldenImage.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "support/TestPaths.h"

namespace vestra::test {

ImageDifference CompareImages(const std::vector<DWORD>& expected, const std::vector<DWORD>& actual, UINT width)
{
    ImageDifference difference;
    if (expected.size() != actual.size() || width == 0) {
        difference.count = std::max(expected.size(), actual.size());
        return difference;
    }
    for (size_t i = 0; i < actual.size(); ++i) {
        if (expected[i] == actual[i]) {
            continue;
        }
        if (difference.count++ == 0) {
            difference.firstX = static_cast<UINT>(i % width);
            difference.firstY = static_cast<UINT>(i / width);
            difference.expected = expected[i];
            difference.actual = actual[i];
        }
    }
    return difference;
}

std::vector<DWORD> DiffImage(const std::vector<DWORD>& expected, const std::vector<DWORD>& actual)
{
    std::vector<DWORD> diff(expected.size(), 0xFFFF0000u);
    for (size_t i = 0; i < expected.size() && i < actual.size(); ++i) {
        if (expected[i] == actual[i]) {
            diff[i] = 0xFF000000u | ((expected[i] >> 2) & 0x003F3F3Fu);
        }
    }
    return diff;
}

std::string GoldenPath(const std::string& name)
{
    return SourceDir() + "/tests/golden/" + name + ".png";
}

std::string GoldenOutputDir()
{
    std::error_code error;
    std::filesystem::path dir = std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    if (error || dir.empty()) {
        dir = std::filesystem::current_path(error);
    }
    dir /= "golden-output";
    std::filesystem::create_directories(dir, error);
    return dir.string();
}

bool UpdateGoldenRequested()
{
    const char* value = std::getenv("VESTRA_UPDATE_GOLDEN");
    return value != nullptr && std::string(value) == "1";
}

}  // namespace vestra::test
