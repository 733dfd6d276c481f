// A private-profile (INI) file held as its lines, read and edited with the rules of the
// Win32 profile functions: `[name]` starts a section, `key=value` lines belong to the last
// section, names compare case-insensitively, blanks around names and values do not count,
// a line starting with `;` is a comment, and the first of duplicate sections or keys wins.
// Edits touch only the lines concerned; every other line keeps its bytes and its ending.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vestra::win32 {

class ProfileDocument {
public:
    // Lines may end in CR LF, LF or CR alone.
    static ProfileDocument Parse(std::string_view text);
    std::string Serialize() const;

    std::vector<std::string> SectionNames() const;
    // Names of the section's `key=value` lines (comments and lines without `=` skipped).
    std::vector<std::string> KeyNames(std::string_view section) const;
    // Every entry line of the section as `key=value` (trimmed) or as the bare line.
    std::vector<std::string> Entries(std::string_view section) const;
    // The value, trimmed but otherwise as written; nothing when the key is missing.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // Replaces the key's value, or adds `key=value` as the section's last line, or adds the
    // section at the end of the file. Added lines end in CR LF.
    void SetValue(std::string_view section, std::string_view key, std::string_view value);
    // Each returns whether anything was removed.
    bool DeleteKey(std::string_view section, std::string_view key);
    bool DeleteSection(std::string_view section);

private:
    enum class Kind { Blank, Comment, Section, Entry, Bare };
    struct Line {
        std::string text;
        std::string ending;
        Kind kind = Kind::Blank;
        std::string name;   // section name, entry key or bare text (trimmed)
        std::string value;  // entry value (trimmed)
    };
    struct Range {
        size_t header;
        size_t end;  // one past the section's last line
    };

    static Line Classify(std::string text, std::string ending);
    std::optional<Range> FindSection(std::string_view section) const;
    std::optional<size_t> FindEntry(const Range& range, std::string_view key) const;
    // Gives the line before `index` an ending so that a line can be inserted at `index`.
    void EndLineBefore(size_t index);

    std::vector<Line> lines_;
};

}  // namespace vestra::win32
