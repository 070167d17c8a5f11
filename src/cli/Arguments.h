#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quadrello::cli {

// What the command line asks for. Options come before the three coefficient texts; "--" ends
// them, and so does the first argument that is not an option, so texts such as "-3" need no
// "--" once the first text is given.
struct Arguments {
    bool help = false;
    bool json = false;
    std::optional<std::string> pngPath;
    int pngWidth = 0;  // 0: the window's drawing area
    int pngHeight = 0;
    std::array<std::string, 3> texts;
};

struct ParsedArguments {
    Arguments arguments;
    std::string error;  // empty when the command line is usable
};

// The largest picture --size accepts on each side, in pixels.
inline constexpr int kMaxPictureSide = 8192;

ParsedArguments ParseArguments(std::span<const std::string_view> args);

}  // namespace quadrello::cli
