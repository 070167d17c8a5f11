#include "cli/Plot.h"

#include "graph/Twips.h"
#include "graph/image/ImageSurface.h"
#include "graph/image/PictureGeometry.h"
#include "ui/Controls.h"

namespace quadrello::cli {
namespace {

// Takes the plotter's calls and keeps nothing: the plot report is all that is wanted.
class DiscardingSurface : public PlotSurface {
  public:
    void SetUserCoordinates(double, double, double, double) override {}
    void SetLineWidth(int) override {}
    void DrawLine(float, float, float, float, ColourRef) override {}
    void SetPoint(float, float, ColourRef) override {}
};

}  // namespace

QSize WindowPictureArea() {
    const int border = 2 * graph::kPictureBorderWidth;
    return {graph::TwipsToPixels(ui::kPicture.place.width) - border,
            graph::TwipsToPixels(ui::kPicture.place.height) - border};
}

PlotReport PlotWithoutPicture(const Solution& solution) {
    DiscardingSurface surface;
    return DrawParabola(solution, surface);
}

RenderedPlot RenderPlot(const Solution& solution, QSize area) {
    graph::ImageSurface surface(area, Qt::white);
    RenderedPlot rendered;
    rendered.report = DrawParabola(solution, surface);
    rendered.picture = surface.Picture();
    return rendered;
}

}  // namespace quadrello::cli
