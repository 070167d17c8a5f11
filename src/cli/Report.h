#pragma once

#include <string>

#include "graph/Parabola.h"
#include "solver/Solver.h"

namespace quadrello::cli {

// The five result texts, one per line, or the message alone on its line.
std::string TextReport(const SolveOutcome& outcome);

// One JSON object on one line (newline included): the labels, the solution, the plot's window
// and the number of curve points for a result; the message otherwise.
std::string JsonReport(const SolveOutcome& outcome, const PlotReport& plot);

}  // namespace quadrello::cli
