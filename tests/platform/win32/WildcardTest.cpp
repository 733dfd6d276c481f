#include "win32/Wildcard.h"

#include <gtest/gtest.h>

namespace {

using vestra::win32::MatchesWildcard;

struct MatchCase {
    const char* pattern;
    const char* name;
    bool matches;
};

void Check(std::initializer_list<MatchCase> cases) {
    for (const MatchCase& c : cases) {
        EXPECT_EQ(MatchesWildcard(c.pattern, c.name), c.matches) << c.pattern << " ~ " << c.name;
    }
}

TEST(Wildcard, StarRules) {
    Check({
        {"*", "anything.at.all", true},   {"*", ".", true},           {"*.*", "noextension", true},
        {"*.*", "..", true},              {"*.png", "WOOD.PNG", true}, {"*.png", "wood.png.bak", false},
        {"*.png", "a.b.png", true},       {"*.png", "png", false},     {"*.", "README", true},
        {"*.", "readme.txt", false},      {"*.", "..", true},          {"a*.*", "abc", true},
        {"a*b", "aXXbYYb", true},         {"a*b", "aXXbYYc", false},   {"*.t*", "a.txt", true},
        {"*.t*", "atxt", false},          {"*.b.c", "a.b.c", true},    {"tex*", "Textures", true},
        {"", "a", false},
    });
}

TEST(Wildcard, QuestionMarkRules) {
    Check({
        {"a?.txt", "ab.txt", true},   {"a?.txt", "a.txt", true},   {"a?.txt", "abc.txt", false},
        {"???", "ab", true},          {"???", "abcd", false},      {"??", "a.b", false},
        {"file?", "file", true},      {"f?le.x", "FILE.X", true},  {"?", "ab", false},
        {"a?c", "ac", false},         {"a??.x", "ab.x", true},
    });
}

TEST(Wildcard, LiteralsIgnoreCaseOnlyForLetters) {
    Check({
        {"Wood.Png", "wood.png", true},
        {"wood.png", "wood.png ", false},
        {"a_b", "A_B", true},
        {"a_b", "a-b", false},
    });
}

}  // namespace
