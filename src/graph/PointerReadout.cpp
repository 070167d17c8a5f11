#include "graph/PointerReadout.h"

#include <string_view>

#include "solver/NumberText.h"

namespace quadrello {
namespace {
constexpr std::string_view kSeparator = "   ";
constexpr int kPlaces = 1;
}  // namespace

std::string PointerCaption(float x, float y) {
    std::string caption = FormatFixed(x, kPlaces);
    caption += kSeparator;
    caption += FormatFixed(y, kPlaces);
    return caption;
}

}  // namespace quadrello
