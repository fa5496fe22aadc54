#pragma once

namespace stelvador {

// The quantities the plot data files need beyond the site contents.
struct PlotQuantities {};

}  // namespace stelvador
