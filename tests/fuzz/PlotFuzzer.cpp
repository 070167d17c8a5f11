// The plot window and the curve loop against a recording surface: never more than 10,001 points,
// every position handed to the surface finite, the axes first, and nothing drawn outside the
// window's abscissae. The input either is three coefficient texts ("a|b|c") that go through the
// compute core, as in the program, or (first byte '#') seven raw doubles that need not even be
// consistent with one another.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "FuzzCheck.h"
#include "graph/Parabola.h"
#include "graph/PlotSurface.h"
#include "solver/Solver.h"

namespace {

using quadrello::ColourRef;
using quadrello::fuzz::Check;

constexpr char kRawMarker = '#';
constexpr int kSolutionFields = 7;
constexpr double kEverydayMin = 1e-3;
constexpr double kEverydayMax = 1e3;

// Keeps what the plotter asked of the surface and checks each call as it comes.
class RecordingSurface : public quadrello::PlotSurface {
  public:
    void SetUserCoordinates(double x1, double y1, double x2, double y2) override {
        Check(std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2),
              "user coordinates not finite");
        Check(x1 < x2 && y2 < y1, "user coordinates not left < right, bottom < top");
        Check(!scaled_, "user coordinates set twice");
        scaled_ = true;
        left_ = x1;
        right_ = x2;
    }
    void SetLineWidth(int width) override {
        Check(scaled_ && width == 1, "line width not 1, or set before the coordinates");
    }
    void DrawLine(float x1, float y1, float x2, float y2, ColourRef colour) override {
        Check(std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2),
              "axis not finite");
        Check(colour == quadrello::kAxisColour, "axis not blue");
        Check(points_ == 0, "an axis after the curve");
        ++lines_;
    }
    void SetPoint(float x, float y, ColourRef colour) override {
        Check(std::isfinite(x) && std::isfinite(y), "curve point not finite");
        Check(colour == quadrello::kCurveColour, "curve point not red");
        Check(lines_ == 2, "a curve point before both axes");
        Check(x >= static_cast<float>(left_) && x <= static_cast<float>(right_),
              "curve point outside the window's abscissae");
        Check(!(x < lastX_), "curve points not in increasing x");
        lastX_ = x;
        ++points_;
        Check(points_ <= quadrello::kMaxCurveSamples, "more than 10,001 curve points");
    }

    int Lines() const { return lines_; }
    int Points() const { return points_; }
    bool Scaled() const { return scaled_; }

  private:
    bool scaled_ = false;
    double left_ = 0;
    double right_ = 0;
    int lines_ = 0;
    int points_ = 0;
    float lastX_ = -INFINITY;
};

// A magnitude between a thousandth and a thousand.
bool Everyday(double v) {
    return std::fabs(v) >= kEverydayMin && std::fabs(v) <= kEverydayMax;
}

quadrello::PlotReport Plot(const quadrello::Solution& s) {
    RecordingSurface surface;
    const quadrello::PlotReport report = quadrello::DrawParabola(s, surface);
    Check(report.samples == surface.Points(), "the report miscounts the points");
    Check(report.drawn == surface.Scaled(), "the report misstates whether it drew");
    Check(surface.Lines() == (report.drawn ? 2 : 0), "not exactly two axes");
    if (report.drawn) {
        const quadrello::PlotWindow& w = report.window;
        Check(w.left < w.right && w.bottom < w.top, "an empty window was drawn");
    }
    return report;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (!input.empty() && input[0] == kRawMarker) {
        double v[kSolutionFields] = {};
        std::memcpy(v, data + 1, std::min(sizeof v, size - 1));
        Plot({v[0], v[1], v[2], v[3], v[4], v[5], v[6]});
        return 0;
    }
    const auto fields = quadrello::fuzz::SplitFields(input, 3);
    const quadrello::SolveOutcome outcome = quadrello::SolveTexts(fields[0], fields[1], fields[2]);
    if (outcome.kind != quadrello::SolveOutcome::Kind::Result) {
        return 0;
    }
    const quadrello::PlotReport report = Plot(outcome.solution);
    // Coefficients of everyday size always give the whole curve: 10,000 or 10,001 points.
    const quadrello::Solution& s = outcome.solution;
    if (Everyday(s.a) && (s.b == 0 || Everyday(s.b)) && (s.c == 0 || Everyday(s.c))) {
        Check(report.drawn, "nothing drawn for everyday coefficients", input);
        Check(report.samples >= quadrello::kCurveIntervals, "points missing from the curve", input);
    }
    return 0;
}
