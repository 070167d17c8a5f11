#include "settings/Profile.h"

#include <algorithm>
#include <optional>
#include <string>

#include "settings/ProfileDocument.h"
#include "settings/ProfileEncoding.h"
#include "settings/ProfileFile.h"
#include "settings/ProfileSyntax.h"
#include "settings/ProfileTarget.h"
#include "settings/ProfileWriteLock.h"

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

// The file as read; a missing file reads as the bytes of `missingFileAs` when that can be read
// (and stays Missing, so that a write creates it).
ProfileFileContents ReadProfileOr(const std::string& file, const std::string& missingFileAs) {
    ProfileFileContents contents = ReadProfileFile(file);
    if (contents.status == ProfileFileStatus::Missing && !missingFileAs.empty()) {
        ProfileFileContents stand = ReadProfileFile(missingFileAs);
        if (stand.status == ProfileFileStatus::Read) {
            contents.bytes = std::move(stand.bytes);
        }
    }
    return contents;
}

// What a write would store, worked out from the file as it is now.
struct Update {
    WriteOutcome refusal;  // why the file may not be rewritten; None when it may
    bool needed = false;   // the file does not hold the value already
    std::optional<ProfileFileIdentity> original;
    std::string bytes;
};

Update PlanUpdate(const std::string& target, std::string_view section, std::string_view key,
                  std::string_view value, const std::string& missingFileAs) {
    ProfileFileContents contents = ReadProfileOr(target, missingFileAs);
    Update update;
    // Rewriting it would lose what it holds, or take a right not given.
    if (contents.status == ProfileFileStatus::Unreadable) {
        update.refusal.refusal =
            contents.notAFile ? WriteRefusal::NotAFile : WriteRefusal::Unreadable;
        return update;
    }
    if (contents.status == ProfileFileStatus::Read && !MayWriteFile(target)) {
        update.refusal.refusal = WriteRefusal::NotPermitted;
        return update;
    }
    const ProfileText before = DecodeProfile(std::move(contents.bytes));
    const std::string after = ProfileDocument(before.text).WithValue(section, key, value);
    update.needed = contents.status != ProfileFileStatus::Read || after != before.text;
    update.original = contents.identity;
    if (update.needed) {
        update.bytes = EncodeProfile(after, before.encoding);
        // The bytes must read back as exactly this text. They would not where UTF-16 cannot hold
        // a name or value that is no UTF-8, or where a file of bytes that starts like a UTF-16
        // byte-order mark would become well-formed UTF-16: the write fails instead.
        const ProfileText stored = DecodeProfile(update.bytes);
        if (stored.encoding != before.encoding || stored.text != after) {
            update.refusal.refusal = WriteRefusal::Unstorable;
        }
    }
    return update;
}

}  // namespace

std::size_t GetProfileString(std::string_view section, std::string_view key, std::span<char> buffer,
                             const std::string& file, const std::string& missingFileAs) {
    if (buffer.empty()) {
        return 0;
    }
    const ProfileText text = DecodeProfile(ReadProfileOr(file, missingFileAs).bytes);
    const std::string_view value =
        TrimBlanks(key).empty()
            ? std::string_view{}
            : ProfileDocument(text.text).Value(section, key).value_or(std::string_view{});
    const std::size_t count = std::min(value.size(), buffer.size() - 1);
    std::copy_n(value.begin(), count, buffer.begin());
    buffer[count] = '\0';
    return count;
}

WriteOutcome StoreProfileString(std::string_view section, std::string_view key,
                                std::string_view value, const std::string& file,
                                const std::string& missingFileAs) {
    if (!Storable(section, key, value)) {
        return {WriteRefusal::Unstorable, 0};
    }
    const WriteTarget target = ResolveWriteTarget(file);
    if (!target.outcome.Written()) {
        return target.outcome;
    }
    // A first look without the lock: a write that changes nothing neither locks nor waits.
    const Update unlocked = PlanUpdate(target.path, section, key, value, missingFileAs);
    if (!unlocked.refusal.Written() || !unlocked.needed) {
        return unlocked.refusal;
    }
    const ProfileWriteLock lock(target.path);
    if (lock.Held()) {
        RemoveStaleProfileTemporaries(target.path);
    }
    // Again under the lock: another writer may have stored its key meanwhile.
    const Update update = PlanUpdate(target.path, section, key, value, missingFileAs);
    if (!update.refusal.Written() || !update.needed) {
        return update.refusal;
    }
    return ReplaceWholeFile(target.path, update.bytes, update.original);
}

int32_t WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                           const std::string& file, const std::string& missingFileAs) {
    return StoreProfileString(section, key, value, file, missingFileAs).Written() ? 1 : 0;
}

}  // namespace quadrello
