#pragma once

namespace stelvador {

// Site contents of the T, M, M1, M2, M3, A, A1 and A2 sites and their sums.
struct SiteContents {};

}  // namespace stelvador
