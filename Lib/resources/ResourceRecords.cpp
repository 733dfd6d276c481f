#include "resources/ResourceRecords.h"

#include <stdlib.h>

namespace {

bool IsIntegerResource(const char* name)
{
    return (reinterpret_cast<ULONG_PTR>(name) >> 16) == 0;
}

std::string NameText(const char* name)
{
    if (!IsIntegerResource(name)) {
        return name;
    }
    std::string text(1, '#');
    text += std::to_string(reinterpret_cast<ULONG_PTR>(name));
    return text;
}

} // namespace

ResourceTextureKey::ResourceTextureKey(HMODULE module, const char* name)
    : module(module), name(NameText(name))
{
}

LPCSTR ResourceTextureKey::NameArgument() const
{
    if (name.size() < 2 || name[0] != '#' || name.find_first_not_of("0123456789", 1) != std::string::npos) {
        return name.c_str();
    }
    const ULONG_PTR id = strtoul(name.c_str() + 1, nullptr, 10);
    // A text like "#123456" is no valid id; only ids below 65536 go back as ids.
    return id <= 0xFFFF ? reinterpret_cast<LPCSTR>(id) : name.c_str();
}
