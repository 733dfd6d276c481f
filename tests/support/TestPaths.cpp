#include "support/TestPaths.h"

#include <cstdlib>
#include <filesystem>

namespace vestra::test {

namespace {
std::string FromEnvironment(const char* name, const char* fallback)
{
    const char* value = std::getenv(name);
    return (value && *value) ? value : fallback;
}
}  // namespace

std::string SourceDir() { return FromEnvironment("VESTRA_SOURCE_DIR", VESTRA_DEFAULT_SOURCE_DIR); }

std::string SharedDir()
{
    std::string dir = FromEnvironment("VESTRA_SHARED_DIR", VESTRA_DEFAULT_SHARED_DIR);
    std::error_code error;
    return std::filesystem::is_directory(dir, error) ? dir : std::string();
}

}  // namespace vestra::test
