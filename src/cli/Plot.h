#pragma once

#include <QImage>
#include <QSize>

#include "graph/Parabola.h"
#include "solver/Solution.h"

namespace quadrello::cli {

// The window's plot surface: the picture box of the main window's layout, less its border.
QSize WindowPictureArea();

// What the plotter would do, without drawing anywhere.
PlotReport PlotWithoutPicture(const Solution& solution);

struct RenderedPlot {
    QImage picture;
    PlotReport report;
};

// The picture the window shows after the computation: a cleared white area of the given size
// with the axes and the curve drawn into it.
RenderedPlot RenderPlot(const Solution& solution, QSize area);

}  // namespace quadrello::cli
