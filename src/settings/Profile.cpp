#include "settings/Profile.h"

#include <algorithm>

#include "settings/ProfileDocument.h"
#include "settings/ProfileFile.h"
#include "settings/ProfileFolderLock.h"
#include "settings/ProfileSyntax.h"

namespace quadrello {
namespace {

constexpr std::string_view kLineBreakingBytes{"\r\n\0", 3};

bool FitsOnOneLine(std::string_view text) {
    return text.find_first_of(kLineBreakingBytes) == std::string_view::npos;
}

// Whether section, key and value read back as written: nothing in them may end the line or
// turn it into a comment, a section header or a different key.
bool Storable(std::string_view section, std::string_view key, std::string_view value) {
    section = TrimBlanks(section);
    key = TrimBlanks(key);
    return FitsOnOneLine(section) && FitsOnOneLine(key) && FitsOnOneLine(value) &&
           section.find(']') == std::string_view::npos && !key.empty() && key.front() != ';' &&
           key.front() != '[' && key.find('=') == std::string_view::npos;
}

}  // namespace

std::size_t GetProfileString(std::string_view section, std::string_view key, std::span<char> buffer,
                             const std::string& file) {
    if (buffer.empty()) {
        return 0;
    }
    const ProfileFileContents contents = ReadProfileFile(file);
    const std::string_view value =
        TrimBlanks(key).empty()
            ? std::string_view{}
            : ProfileDocument(contents.bytes).Value(section, key).value_or(std::string_view{});
    const std::size_t count = std::min(value.size(), buffer.size() - 1);
    std::copy_n(value.begin(), count, buffer.begin());
    buffer[count] = '\0';
    return count;
}

int32_t WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                           const std::string& file) {
    if (!Storable(section, key, value)) {
        return 0;
    }
    const std::optional<std::string> target = ProfileWriteTarget(file);
    if (!target) {
        return 0;
    }
    const ProfileFolderLock lock(ProfileFolder(*target));
    if (lock.Held()) {
        RemoveStaleProfileTemporaries(*target);
    }
    const ProfileFileContents contents = ReadProfileFile(*target);
    if (contents.status == ProfileFileStatus::Unreadable) {
        return 0;  // rewriting it would lose whatever it holds
    }
    const std::string updated = ProfileDocument(contents.bytes).WithValue(section, key, value);
    if (contents.status == ProfileFileStatus::Read && updated == contents.bytes) {
        return 1;  // already on disk exactly so
    }
    return ReplaceProfileFile(*target, updated, contents.attributes) ? 1 : 0;
}

}  // namespace quadrello
