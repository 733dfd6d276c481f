// File-name patterns with the Windows rules: `*` is any run of characters, `?` exactly one
// except that it also matches nothing before a dot or at the end of the name (`a?.txt`
// matches `a.txt`), `*.*` is every name including those without a dot, `*.` is every name
// without an extension. Letters match regardless of case.
#pragma once

#include <string_view>

namespace vestra::win32 {

bool MatchesWildcard(std::string_view pattern, std::string_view name);

}  // namespace vestra::win32
