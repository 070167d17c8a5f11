// The profile reader and writer on any bytes as a file ("section|key|value|file bytes"): reading
// never crashes and never returns more than the buffer holds; a write that reports success reads
// back as the value (blanks around it and one pair of outer quotes dropped, cut to 127 bytes);
// a write that fails leaves the file as it was; every other line of the file survives, in its
// order and byte for byte, and every other key keeps its value.
#include <stdlib.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "settings/Profile.h"
#include "settings/ProfileDocument.h"
#include "settings/ProfileEncoding.h"
#include "settings/ProfileSyntax.h"

namespace {

using quadrello::fuzz::Check;

constexpr std::size_t kBufferSize = 128;  // the settings routines read through 128 bytes
constexpr std::size_t kMaxOtherKeys = 64;

struct Line {
    std::string_view content;
    std::string_view terminator;
};

// Lines end at CR LF, LF or a lone CR, as the profile routines read them.
std::vector<Line> SplitLines(std::string_view text) {
    std::vector<Line> lines;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            lines.push_back({text, {}});
            break;
        }
        const std::size_t width = text.substr(end, 2) == "\r\n" ? 2 : 1;
        lines.push_back({text.substr(0, end), text.substr(end, width)});
        text.remove_prefix(end + width);
    }
    return lines;
}

// The value as a read gives it back, worked out independently of the reader.
std::string ExpectedReadBack(std::string_view value) {
    const auto isBlank = [](char ch) { return ch == ' ' || ch == '\t'; };
    while (!value.empty() && isBlank(value.front())) {
        value.remove_prefix(1);
    }
    while (!value.empty() && isBlank(value.back())) {
        value.remove_suffix(1);
    }
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == '"' || value.front() == '\'')) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value.substr(0, kBufferSize - 1));
}

// Every line of `before` is in `after`, in order and unchanged, except at most one line that
// was rewritten in place (then the line count is the same) or a last line that only gained a
// line break; new lines may have been inserted.
void CheckForeignLinesSurvive(std::string_view before, std::string_view after) {
    // A byte-order mark stays at the very start and is no line of its own.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (before.starts_with(kByteOrderMark)) {
        Check(after.starts_with(kByteOrderMark), "the byte-order mark was lost");
        before.remove_prefix(kByteOrderMark.size());
        after.remove_prefix(kByteOrderMark.size());
    }
    const std::vector<Line> old = SplitLines(before);
    const std::vector<Line> now = SplitLines(after);
    const auto same = [&](std::size_t i, std::size_t j) {
        const bool lastUnterminated = i + 1 == old.size() && old[i].terminator.empty();
        return old[i].content == now[j].content &&
               (old[i].terminator == now[j].terminator || lastUnterminated);
    };
    if (old.size() == now.size()) {
        int rewritten = 0;
        for (std::size_t i = 0; i < old.size(); ++i) {
            if (!same(i, i)) {
                Check(old[i].terminator == now[i].terminator, "a rewritten line lost its break");
                ++rewritten;
            }
        }
        Check(rewritten <= 1, "more than one line rewritten");
        return;
    }
    Check(now.size() > old.size() && now.size() <= old.size() + 2, "lines lost or too many added");
    std::size_t j = 0;
    for (std::size_t i = 0; i < old.size(); ++i) {
        while (j < now.size() && !same(i, j)) {
            ++j;
        }
        Check(j < now.size(), "a foreign line did not survive", old[i].content);
        ++j;
    }
}

// Every key that the file answers for, other than the one written, has the same value after.
void CheckOtherKeysKept(std::string_view before, std::string_view after, std::string_view section,
                        std::string_view key) {
    const quadrello::ProfileDocument oldDocument(before);
    const quadrello::ProfileDocument newDocument(after);
    std::string_view current;
    std::size_t checked = 0;
    for (const Line& line : SplitLines(before)) {
        const quadrello::ProfileEntry entry = quadrello::ClassifyLine(line.content);
        if (entry.kind == quadrello::ProfileLineKind::Section) {
            current = entry.name;
        } else if (entry.kind == quadrello::ProfileLineKind::Key && checked < kMaxOtherKeys &&
                   !(quadrello::SameProfileName(current, quadrello::TrimBlanks(section)) &&
                     quadrello::SameProfileName(entry.name, quadrello::TrimBlanks(key)))) {
            ++checked;
            Check(oldDocument.Value(current, entry.name) == newDocument.Value(current, entry.name),
                  "another key changed its value", entry.name);
        }
    }
}

const std::string& ScratchFile() {
    static const std::string path = [] {
        const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        std::string folder = std::string(base) + "/quadrello-fuzz-XXXXXX";
        Check(mkdtemp(folder.data()) != nullptr, "no scratch folder");
        return folder + "/config.ini";
    }();
    return path;
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    Check(out.good(), "cannot write the scratch file");
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Read(std::string_view section, std::string_view key, const std::string& path) {
    std::array<char, kBufferSize> buffer;
    buffer.fill('\x7f');
    const std::size_t count = quadrello::GetProfileString(section, key, buffer, path);
    Check(count < kBufferSize && buffer[count] == '\0', "the read overran or did not end");
    return std::string(buffer.data(), count);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto fields = quadrello::fuzz::SplitFields(input, 4);
    const std::string_view section = fields[0];
    const std::string_view key = fields[1];
    const std::string_view value = fields[2];
    const std::string_view before = fields[3];
    const std::string& path = ScratchFile();

    WriteBytes(path, before);
    // Reading any file, for the key asked and for every key it holds, never fails.
    (void)Read(section, key, path);
    for (const Line& line : SplitLines(before)) {
        const quadrello::ProfileEntry entry = quadrello::ClassifyLine(line.content);
        if (entry.kind == quadrello::ProfileLineKind::Key) {
            (void)Read(section, entry.name, path);
        }
    }

    const int32_t written = quadrello::WriteProfileString(section, key, value, path);
    const std::string after = ReadBytes(path);
    if (written == 0) {
        Check(after == before, "a failed write changed the file");
        return 0;
    }
    Check(Read(section, key, path) == ExpectedReadBack(value), "the value did not read back",
          value);
    // Lines and keys are those of the text the file holds: UTF-16 files are compared decoded,
    // and keep their encoding.
    const quadrello::ProfileText oldText = quadrello::DecodeProfile(std::string(before));
    const quadrello::ProfileText newText = quadrello::DecodeProfile(after);
    Check(newText.encoding == oldText.encoding, "the file's encoding changed");
    CheckForeignLinesSurvive(oldText.text, newText.text);
    CheckOtherKeysKept(oldText.text, newText.text, section, key);
    // Writing the same again changes nothing.
    Check(quadrello::WriteProfileString(section, key, value, path) != 0 && ReadBytes(path) == after,
          "a repeated write changed the file");
    return 0;
}
