#include "ResourceTestSupport.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace resources_test {

namespace {

std::string MakeTempRoot()
{
    std::string pattern = "/tmp/vestra-resources-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    return pattern;
}

} // namespace

std::string DdsBytes(UINT width, UINT height, UINT depth)
{
    const bool volume = depth > 0;
    // DDS_HEADER: size, flags (caps, height, width, pitch, pixel format, depth), height, width,
    // pitch, depth, mip count, 11 reserved; pixel format (size, RGB+alpha, no FourCC, 32 bits,
    // masks); caps (texture, complex), caps2 (volume), caps3, caps4, reserved.
    const DWORD header[31] = {124, volume ? 0x80100Fu : 0x100Fu, height, width, width * 4, depth, 0,
                              0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                              32, 0x41, 0, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000,
                              volume ? 0x1008u : 0x1000u, volume ? 0x200000u : 0u, 0, 0, 0};
    std::string bytes = "DDS ";
    bytes.append(reinterpret_cast<const char*>(header), sizeof(header));
    bytes.append(size_t{width} * height * (volume ? depth : 1) * 4, '\x7F');
    return bytes;
}

TempFolder::TempFolder() : root(MakeTempRoot()) {}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

void TempFolder::Write(const std::string& relative, const std::string& bytes) const
{
    const std::filesystem::path file = *this / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

ULONG ReferenceCount(IUnknown* object)
{
    object->AddRef();
    return object->Release();
}

} // namespace resources_test
