// Where the suites find the source tree (golden images) and the shared test data made by
// others. VESTRA_SOURCE_DIR / VESTRA_SHARED_DIR in the environment override the defaults
// the build bakes in. The shared data is optional: a user's clone has none, and the tests
// that need it skip.
#pragma once

#include <string>

namespace vestra::test {

std::string SourceDir();
// Empty when the shared data folder does not exist.
std::string SharedDir();

}  // namespace vestra::test
