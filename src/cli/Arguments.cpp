#include "cli/Arguments.h"

#include <charconv>

namespace quadrello::cli {
namespace {

constexpr std::string_view kEndOfOptions = "--";

// A side of "WxH": decimal digits only, 1 to kMaxPictureSide.
bool ParseSide(std::string_view text, int& side) {
    const char* end = text.data() + text.size();
    const auto [rest, error] = std::from_chars(text.data(), end, side);
    return !text.empty() && error == std::errc() && rest == end && text.front() != '-' &&
           side >= 1 && side <= kMaxPictureSide;
}

bool ParseSize(std::string_view text, int& width, int& height) {
    const std::size_t x = text.find('x');
    return x != std::string_view::npos && ParseSide(text.substr(0, x), width) &&
           ParseSide(text.substr(x + 1), height);
}

bool IsOption(std::string_view arg) {
    return arg.starts_with("--") || arg == "-h";
}

}  // namespace

ParsedArguments ParseArguments(std::span<const std::string_view> args) {
    ParsedArguments parsed;
    Arguments& out = parsed.arguments;
    std::size_t i = 0;
    for (; i < args.size() && IsOption(args[i]); ++i) {
        const std::string_view arg = args[i];
        if (arg == kEndOfOptions) {
            ++i;
            break;
        }
        if (arg == "--help" || arg == "-h") {
            out.help = true;
        } else if (arg == "--json") {
            out.json = true;
        } else if (arg == "--png" || arg == "--size") {
            if (i + 1 == args.size()) {
                parsed.error = std::string(arg) + " needs a value";
                return parsed;
            }
            const std::string_view value = args[++i];
            if (arg == "--png") {
                out.pngPath = std::string(value);
            } else if (!ParseSize(value, out.pngWidth, out.pngHeight)) {
                parsed.error = "--size wants WIDTHxHEIGHT in pixels, each 1 to " +
                               std::to_string(kMaxPictureSide) + ", not \"" + std::string(value) +
                               "\"";
                return parsed;
            }
        } else {
            parsed.error = "unknown option " + std::string(arg);
            return parsed;
        }
    }
    if (out.help) {
        return parsed;
    }
    const std::size_t count = args.size() - i;
    if (count != out.texts.size()) {
        parsed.error = "expected the three coefficient texts A B C, got " + std::to_string(count);
        return parsed;
    }
    for (std::string& text : out.texts) {
        text = std::string(args[i++]);
    }
    if (out.pngWidth != 0 && !out.pngPath) {
        parsed.error = "--size applies to --png only";
    }
    return parsed;
}

}  // namespace quadrello::cli
