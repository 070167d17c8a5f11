#include "settings/ProfileDocument.h"

namespace quadrello {

// The outcome of one scan: whether the section and the key exist, and the line that matters
// (the key's own line, or the line a new key would follow).
struct ProfileDocument::Place {
    enum class Found { Nothing, Section, Key };
    Found found = Found::Nothing;
    ProfileLine line;
    ProfileEntry entry;
};

ProfileDocument::Place ProfileDocument::Locate(std::string_view section,
                                               std::string_view key) const {
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    Place place;
    bool inside = false;
    for (std::size_t at = FirstLineStart(text_); at < text_.size();) {
        const ProfileLine line = LineAt(text_, at);
        at = line.next;
        const ProfileEntry entry = ClassifyLine(text_.substr(line.begin, line.end - line.begin));
        if (entry.kind == ProfileLineKind::Section) {
            if (inside) {
                break;  // the end of the first section of that name: later ones do not count
            }
            inside = SameProfileName(entry.name, section);
            if (inside) {
                place.found = Place::Found::Section;
                place.line = line;
            }
            continue;
        }
        if (!inside || entry.kind == ProfileLineKind::Blank ||
            entry.kind == ProfileLineKind::Comment) {
            continue;
        }
        place.line = line;  // the last entry so far: a new key would follow it
        if (entry.kind == ProfileLineKind::Key && !key.empty() &&
            SameProfileName(entry.name, key)) {
            place.found = Place::Found::Key;
            place.entry = entry;
            break;
        }
    }
    return place;
}

std::optional<std::string_view> ProfileDocument::Value(std::string_view section,
                                                       std::string_view key) const {
    const Place place = Locate(section, key);
    if (place.found != Place::Found::Key) {
        return std::nullopt;
    }
    return Unquote(place.entry.value);
}

std::string ProfileDocument::WithValue(std::string_view section, std::string_view key,
                                       std::string_view value) const {
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    const Place place = Locate(section, key);
    std::string result;
    result.reserve(text_.size() + section.size() + key.size() + value.size() + 8);
    switch (place.found) {
        case Place::Found::Key:
            result.append(text_.substr(0, place.line.begin));
            result.append(place.entry.name).append("=").append(value);
            result.append(text_.substr(place.line.end));
            break;
        case Place::Found::Section:
            result.append(text_.substr(0, place.line.next));
            if (!place.line.Terminated()) {
                result.append(kProfileLineBreak);
            }
            result.append(key).append("=").append(value).append(kProfileLineBreak);
            result.append(text_.substr(place.line.next));
            break;
        case Place::Found::Nothing:
            result.append(text_);
            if (text_.size() > FirstLineStart(text_) && text_.back() != '\n' &&
                text_.back() != '\r') {
                result.append(kProfileLineBreak);
            }
            result.append("[").append(section).append("]").append(kProfileLineBreak);
            result.append(key).append("=").append(value).append(kProfileLineBreak);
            break;
    }
    return result;
}

}  // namespace quadrello
