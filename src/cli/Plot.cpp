#include "cli/Plot.h"

#include "platform/image/ImageSurface.h"
#include "platform/image/PictureGeometry.h"

namespace quadrello::cli {
namespace {

constexpr int kPictureWidthTwips = 4335;
constexpr int kPictureHeightTwips = 3075;
constexpr int kTwipsPerPixel = 15;

// Takes the plotter's calls and keeps nothing: the plot report is all that is wanted.
class DiscardingSurface : public PlotSurface {
  public:
    void SetUserCoordinates(double, double, double, double) override {}
    void SetLineWidth(int) override {}
    void DrawLine(float, float, float, float, ColorRef) override {}
    void SetPoint(float, float, ColorRef) override {}
};

}  // namespace

QSize WindowPictureArea() {
    const int border = 2 * platform::kPictureBorderWidth;
    return {kPictureWidthTwips / kTwipsPerPixel - border,
            kPictureHeightTwips / kTwipsPerPixel - border};
}

PlotReport PlotWithoutPicture(const Solution& solution) {
    DiscardingSurface surface;
    return DrawParabola(solution, surface);
}

RenderedPlot RenderPlot(const Solution& solution, QSize area) {
    platform::ImageSurface surface(area, Qt::white);
    RenderedPlot rendered;
    rendered.report = DrawParabola(solution, surface);
    rendered.picture = surface.Picture();
    return rendered;
}

}  // namespace quadrello::cli
