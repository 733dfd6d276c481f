#include "win32/ProfileDocument.h"

#include "win32/CaseInsensitive.h"

namespace vestra::win32 {
namespace {

constexpr std::string_view kBlanks = " \t\v\f";
constexpr std::string_view kNewLine = "\r\n";

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return std::string_view();
    }
    const size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

}  // namespace

ProfileDocument::Line ProfileDocument::Classify(std::string text, std::string ending) {
    Line line;
    const std::string_view content = Trim(text);
    if (content.empty()) {
        line.kind = Kind::Blank;
    } else if (content.front() == ';') {
        line.kind = Kind::Comment;
    } else if (content.front() == '[') {
        line.kind = Kind::Section;
        const std::string_view inside = content.substr(1);
        line.name = Trim(inside.substr(0, inside.find(']')));
    } else if (const size_t equals = content.find('='); equals != std::string_view::npos) {
        line.kind = Kind::Entry;
        line.name = Trim(content.substr(0, equals));
        line.value = Trim(content.substr(equals + 1));
    } else {
        line.kind = Kind::Bare;
        line.name = content;
    }
    line.text = std::move(text);
    line.ending = std::move(ending);
    return line;
}

ProfileDocument ProfileDocument::Parse(std::string_view text) {
    ProfileDocument document;
    size_t start = 0;
    while (start < text.size()) {
        const size_t breakAt = text.find_first_of("\r\n", start);
        if (breakAt == std::string_view::npos) {
            document.lines_.push_back(Classify(std::string(text.substr(start)), std::string()));
            break;
        }
        const size_t endingLength = text.compare(breakAt, 2, kNewLine) == 0 ? 2 : 1;
        document.lines_.push_back(Classify(std::string(text.substr(start, breakAt - start)),
                                           std::string(text.substr(breakAt, endingLength))));
        start = breakAt + endingLength;
    }
    return document;
}

std::string ProfileDocument::Serialize() const {
    std::string text;
    for (const Line& line : lines_) {
        text.append(line.text).append(line.ending);
    }
    return text;
}

std::optional<ProfileDocument::Range> ProfileDocument::FindSection(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Kind::Section && EqualsNoCase(lines_[i].name, section)) {
            size_t end = i + 1;
            while (end < lines_.size() && lines_[end].kind != Kind::Section) {
                ++end;
            }
            return Range{i, end};
        }
    }
    return std::nullopt;
}

std::optional<size_t> ProfileDocument::FindEntry(const Range& range, std::string_view key) const {
    for (size_t i = range.header + 1; i < range.end; ++i) {
        if (lines_[i].kind == Kind::Entry && EqualsNoCase(lines_[i].name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::vector<std::string> ProfileDocument::SectionNames() const {
    std::vector<std::string> names;
    for (const Line& line : lines_) {
        if (line.kind == Kind::Section) {
            names.push_back(line.name);
        }
    }
    return names;
}

std::vector<std::string> ProfileDocument::KeyNames(std::string_view section) const {
    std::vector<std::string> names;
    if (const auto range = FindSection(section)) {
        for (size_t i = range->header + 1; i < range->end; ++i) {
            if (lines_[i].kind == Kind::Entry) {
                names.push_back(lines_[i].name);
            }
        }
    }
    return names;
}

std::vector<std::string> ProfileDocument::Entries(std::string_view section) const {
    std::vector<std::string> entries;
    if (const auto range = FindSection(section)) {
        for (size_t i = range->header + 1; i < range->end; ++i) {
            const Line& line = lines_[i];
            if (line.kind == Kind::Entry) {
                entries.push_back(line.name + "=" + line.value);
            } else if (line.kind == Kind::Bare) {
                entries.push_back(line.name);
            }
        }
    }
    return entries;
}

std::optional<std::string> ProfileDocument::Value(std::string_view section, std::string_view key) const {
    if (const auto range = FindSection(section)) {
        if (const auto entry = FindEntry(*range, key)) {
            return lines_[*entry].value;
        }
    }
    return std::nullopt;
}

void ProfileDocument::EndLineBefore(size_t index) {
    if (index > 0 && lines_[index - 1].ending.empty()) {
        lines_[index - 1].ending = kNewLine;
    }
}

void ProfileDocument::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    std::string entryText(key);
    entryText.append("=").append(value);

    const auto range = FindSection(section);
    if (!range) {
        EndLineBefore(lines_.size());
        lines_.push_back(Classify("[" + std::string(section) + "]", std::string(kNewLine)));
        lines_.push_back(Classify(std::move(entryText), std::string(kNewLine)));
        return;
    }
    if (const auto entry = FindEntry(*range, key)) {
        Line& line = lines_[*entry];
        line = Classify(std::move(entryText), std::move(line.ending));
        return;
    }
    // After the section's last non-blank line, so blank lines keep separating sections.
    size_t insertAt = range->end;
    while (insertAt > range->header + 1 && lines_[insertAt - 1].kind == Kind::Blank) {
        --insertAt;
    }
    EndLineBefore(insertAt);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                  Classify(std::move(entryText), std::string(kNewLine)));
}

bool ProfileDocument::DeleteKey(std::string_view section, std::string_view key) {
    const auto range = FindSection(section);
    if (!range) {
        return false;
    }
    const auto entry = FindEntry(*range, key);
    if (!entry) {
        return false;
    }
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*entry));
    return true;
}

bool ProfileDocument::DeleteSection(std::string_view section) {
    const auto range = FindSection(section);
    if (!range) {
        return false;
    }
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(range->header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(range->end));
    return true;
}

}  // namespace vestra::win32
