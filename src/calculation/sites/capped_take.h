#pragma once

#include <cmath>
#include <limits>

namespace stelvador {

// How much of `amount` a site with cap `cap` takes when it already holds `held`: nothing when it
// is full (held >= cap), the whole amount when it fits (held + amount <= cap), else the room
// left. Both comparisons are inclusive, and neither the take nor held is raised to 0, so a
// negative amount is taken whole while the site has room. An amount that is not a number gives
// NaN where the site has room (the room left is no stand-in for it).
inline double CappedTake(double cap, double held, double amount) {
    if (held >= cap) {
        return 0.0;
    }
    if (std::isnan(amount)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    if (held + amount <= cap) {
        return amount;
    }
    return cap - held;
}

// Fills a site cation by cation: each take is the capped take against what the site holds.
class CappedFill {
  public:
    CappedFill(double cap, double held) : m_cap(cap), m_held(held) {}

    double take(double amount) {
        const double taken = CappedTake(m_cap, m_held, amount);
        m_held = m_held + taken;
        if (!std::isfinite(m_held)) {
            m_held = std::numeric_limits<double>::quiet_NaN();
        }
        return taken;
    }

    double held() const { return m_held; }

  private:
    double m_cap;
    double m_held;
};

}  // namespace stelvador
