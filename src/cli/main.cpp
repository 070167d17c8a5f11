// quadrello-cli: the compute command and the plot without a window, for teachers, scripts and
// tests. Needs no display: the picture is drawn into an image without any application object.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/Arguments.h"
#include "cli/Console.h"
#include "cli/Plot.h"
#include "cli/PngFile.h"
#include "cli/Report.h"
#include "cli/Usage.h"
#include "settings/ProfileFile.h"
#include "solver/Solver.h"

namespace {

using namespace quadrello;

enum ExitStatus {
    kDone = 0,
    kRefused = 1,
    kWrongUsage = 2,
    kPictureNotWritten = 3,
    kOutputFailed = 4
};

void Print(std::FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

int Run(const cli::Arguments& args) {
    // The window's switches do not apply here: the computation always runs.
    const SolveOutcome outcome = SolveTexts(args.texts[0], args.texts[1], args.texts[2],
                                            /*gateOpen=*/true);
    if (outcome.kind != SolveOutcome::Kind::Result) {
        Print(stdout, args.json ? cli::JsonReport(outcome, {}) : cli::TextReport(outcome));
        return kRefused;
    }
    PlotReport plot;
    std::string pictureError;
    if (args.pngPath) {
        const QSize area =
            args.pngWidth != 0 ? QSize(args.pngWidth, args.pngHeight) : cli::WindowPictureArea();
        const cli::RenderedPlot rendered = cli::RenderPlot(outcome.solution, area);
        plot = rendered.report;
        pictureError = cli::WritePngFile(rendered.picture, *args.pngPath);
    } else if (args.json) {
        plot = cli::PlotWithoutPicture(outcome.solution);
    }
    Print(stdout, args.json ? cli::JsonReport(outcome, plot) : cli::TextReport(outcome));
    if (!pictureError.empty()) {
        Print(stderr, "quadrello-cli: cannot write " + *args.pngPath + ": " + pictureError + "\n");
        return kPictureNotWritten;
    }
    return kDone;
}

// Results that never reached their reader are no success (a full disk, a closed pipe).
int Finish(int status) {
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        Print(stderr, "quadrello-cli: the output could not be written\n");
        return kOutputFailed;
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    cli::PrepareConsole();
    // Ctrl+C or a kill while the picture is written leaves no temporary file behind.
    RemoveTemporaryOnInterrupt();
    const std::vector<std::string> utf8 = cli::ProgramArguments(argc, argv);
    const std::vector<std::string_view> args(utf8.begin(), utf8.end());
    const cli::ParsedArguments parsed = cli::ParseArguments(args);
    if (!parsed.error.empty()) {
        Print(stderr, "quadrello-cli: " + parsed.error + "\n\n");
        Print(stderr, cli::kUsage);
        return kWrongUsage;
    }
    if (parsed.arguments.help) {
        Print(stdout, cli::kUsage);
        return Finish(kDone);
    }
    return Finish(Run(parsed.arguments));
}
