#pragma once

#include <vector>

#include "graph/PlotSurface.h"

namespace quadrello::test {

// A surface that records every call it receives, in order.
class RecordingSurface : public PlotSurface {
  public:
    enum class Op { Coordinates, LineWidth, Line, Point };
    struct Call {
        Op op;
        double v[4];  // coordinates, or the line's two points, or the point in v[0], v[1]
        int width;
        ColourRef colour;
    };

    void SetUserCoordinates(double x1, double y1, double x2, double y2) override {
        calls.push_back({Op::Coordinates, {x1, y1, x2, y2}, 0, 0});
    }
    void SetLineWidth(int width) override { calls.push_back({Op::LineWidth, {}, width, 0}); }
    void DrawLine(float x1, float y1, float x2, float y2, ColourRef colour) override {
        calls.push_back({Op::Line, {x1, y1, x2, y2}, 0, colour});
    }
    void SetPoint(float x, float y, ColourRef colour) override {
        calls.push_back({Op::Point, {x, y, 0, 0}, 0, colour});
    }

    std::vector<Call> calls;
};

}  // namespace quadrello::test
