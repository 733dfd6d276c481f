#include "win32/Wildcard.h"

#include <vector>

#include "win32/CaseInsensitive.h"

namespace vestra::win32 {
namespace {

// The pattern is first rewritten into these tokens, the way Windows hands a search
// pattern to its file systems: a `*` before a dot stops at the name's last dot, a `?`
// gives way to a dot or to the end of the name, and a dot before a wildcard or at the
// end also matches the end of a name that has no extension.
enum class Kind { Literal, AnyRun, RunBeforeLastDot, OneOrNone, DotOrEnd };

struct Token {
    Kind kind;
    char literal;
};

std::vector<Token> Tokenize(std::string_view pattern) {
    if (pattern == "*.*") {
        pattern = "*";
    }
    std::vector<Token> tokens;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (c == '*') {
            tokens.push_back({next == '.' ? Kind::RunBeforeLastDot : Kind::AnyRun, c});
        } else if (c == '?') {
            tokens.push_back({Kind::OneOrNone, c});
        } else if (c == '.' && (next == '*' || next == '?' || next == '\0')) {
            tokens.push_back({Kind::DotOrEnd, c});
        } else {
            tokens.push_back({Kind::Literal, ToUpperAscii(c)});
        }
    }
    return tokens;
}

class Matcher {
public:
    Matcher(std::vector<Token> tokens, std::string_view name)
        : tokens_(std::move(tokens)),
          name_(name),
          lastDot_(name.rfind('.')),
          memo_((tokens_.size() + 1) * (name.size() + 1), Unknown) {}

    bool Match(size_t t, size_t n) {
        char& known = memo_[t * (name_.size() + 1) + n];
        if (known == Unknown) {
            known = Compute(t, n) ? Yes : No;
        }
        return known == Yes;
    }

private:
    static constexpr char Unknown = 0, Yes = 1, No = 2;

    bool Compute(size_t t, size_t n) {
        if (t == tokens_.size()) {
            return n == name_.size();
        }
        const bool atEnd = n == name_.size();
        switch (tokens_[t].kind) {
            case Kind::Literal:
                return !atEnd && ToUpperAscii(name_[n]) == tokens_[t].literal && Match(t + 1, n + 1);
            case Kind::AnyRun:
                for (size_t end = n; end <= name_.size(); ++end) {
                    if (Match(t + 1, end)) {
                        return true;
                    }
                }
                return false;
            case Kind::RunBeforeLastDot: {
                const size_t limit = lastDot_ != std::string_view::npos && lastDot_ >= n ? lastDot_ : name_.size();
                for (size_t end = n; end <= limit; ++end) {
                    if (Match(t + 1, end)) {
                        return true;
                    }
                }
                return false;
            }
            case Kind::OneOrNone: {
                if (!atEnd && name_[n] != '.') {
                    return Match(t + 1, n + 1);
                }
                size_t after = t;
                while (after < tokens_.size() && tokens_[after].kind == Kind::OneOrNone) {
                    ++after;
                }
                return Match(after, n);
            }
            case Kind::DotOrEnd:
                if (atEnd) {
                    return Match(t + 1, n);
                }
                return name_[n] == '.' && Match(t + 1, n + 1);
        }
        return false;
    }

    std::vector<Token> tokens_;
    std::string_view name_;
    size_t lastDot_;
    std::vector<char> memo_;
};

}  // namespace

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
    return Matcher(Tokenize(pattern), name).Match(0, 0);
}

}  // namespace vestra::win32
