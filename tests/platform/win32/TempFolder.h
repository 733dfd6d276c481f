// A fresh folder under the system temporary directory, removed with everything in it when
// the test ends, plus small helpers to lay out files in it.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace vestra::test {

class TempFolder {
public:
    TempFolder() {
        const char* base = getenv("TMPDIR");
        std::string pattern = std::string(base != nullptr && base[0] != '\0' ? base : "/tmp") + "/vestra-win32-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        path_ = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& relative) const { return path_ + "/" + relative; }

    // Writes `contents` byte for byte, creating missing parent folders.
    void Write(const std::string& relative, const std::string& contents) const {
        const std::filesystem::path file = *this / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << contents;
    }
    void MakeFolder(const std::string& relative) const { std::filesystem::create_directories(*this / relative); }
    std::string Read(const std::string& relative) const {
        std::ifstream in(*this / relative, std::ios::binary);
        std::ostringstream contents;
        contents << in.rdbuf();
        return contents.str();
    }

private:
    std::string path_;
};

}  // namespace vestra::test
