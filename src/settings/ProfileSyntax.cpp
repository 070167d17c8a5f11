#include "settings/ProfileSyntax.h"

namespace quadrello {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::size_t FirstLineStart(std::string_view text) {
    return text.starts_with(kUtf8ByteOrderMark) ? kUtf8ByteOrderMark.size() : 0;
}

ProfileLine LineAt(std::string_view text, std::size_t begin) {
    ProfileLine line{begin, begin, begin};
    const std::size_t stop = text.find_first_of("\r\n", begin);
    if (stop == std::string_view::npos) {
        line.end = line.next = text.size();
        return line;
    }
    line.end = stop;
    line.next = stop + 1;
    if (text[stop] == '\r' && line.next < text.size() && text[line.next] == '\n') {
        ++line.next;
    }
    return line;
}

std::string_view TrimBlanks(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first])) {
        ++first;
    }
    while (last > first && IsBlank(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

ProfileEntry ClassifyLine(std::string_view content) {
    const std::string_view text = TrimBlanks(content);
    if (text.empty()) {
        return {ProfileLineKind::Blank, {}, {}};
    }
    if (text.front() == ';') {
        return {ProfileLineKind::Comment, {}, {}};
    }
    if (text.front() == '[') {
        const std::string_view inside = text.substr(1);
        return {ProfileLineKind::Section, TrimBlanks(inside.substr(0, inside.find(']'))), {}};
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        return {ProfileLineKind::Text, {}, {}};
    }
    return {ProfileLineKind::Key, TrimBlanks(text.substr(0, equals)),
            TrimBlanks(text.substr(equals + 1))};
}

bool SameProfileName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace quadrello
