#pragma once

#include <string_view>

namespace quadrello::cli {

inline constexpr std::string_view kUsage =
    R"(Usage: quadrello-cli [--json] [--png FILE [--size WxH]] [--] A B C

Solves A·x² + B·x + C = 0 as the Quadrello window does, without a window.
A, B and C are the three coefficient texts exactly as they would be typed into the
window's boxes ("" and " " included); they are read by the window's rules.

Prints the five result texts, one per line: the discriminant, the two roots (or the
text that there are none), and the vertex's x and y. An input the window would
refuse prints its message alone and ends with status 1.

Options, recognised only before A (a text starting with "--", or the text "-h", needs a
"--" before it):
  --json        one JSON object on one line instead:
                {"labels":[5 texts],"solution":[r1,r2,h,k,a,b,c],
                 "window":[left,right,bottom,top],"samples":N}
                or {"message":"..."}; numbers read back bit for bit, null where
                one is not finite
  --png FILE    also write the plot the window would show, as a PNG picture
                (285 × 201 pixels, the window's drawing area); nothing is written
                when the input is refused. FILE is a new or a regular file, replaced
                whole; a pipe or device, or a link another user controls, is refused
  --size WxH    draw the PNG at W × H pixels instead (1 to 8192 each)
  -h, --help    show this text

Exit status: 0 done, 1 input refused (message printed), 2 wrong usage,
3 the PNG could not be written, 4 the results could not be written.
)";

}  // namespace quadrello::cli
