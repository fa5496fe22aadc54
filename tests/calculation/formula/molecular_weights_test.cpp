#include "calculation/formula/molecular_weights.h"

#include <array>
#include <cmath>

#include <gtest/gtest.h>

#include "calculation/formula_values.h"

namespace stelvador {
namespace {

// Each formula weight against the standard atomic weights (2007, O = 15.9994) of its formula,
// so a mistyped digit anywhere in the table shows. The oxygens here are those of the chemical
// formula (H2O has one), not the oxygens of the oxide basis.
struct Formula {
    double cationAtomicWeight;
    int cations;
    int formulaOxygens;
};

constexpr double kO = 15.9994;

constexpr std::array<Formula, kOxideCount> kFormulas = {{
    {28.0855, 1, 2},  {47.867, 1, 2},    {26.9815386, 2, 3},  {51.9961, 2, 3},   {50.9415, 2, 3},
    {55.845, 2, 3},   {54.938045, 2, 3}, {55.845, 1, 1},      {24.305, 1, 1},    {54.938045, 1, 1},
    {58.6934, 1, 1},  {63.546, 1, 1},    {207.2, 1, 1},       {65.38, 1, 1},     {137.327, 1, 1},
    {40.078, 1, 1},   {87.62, 1, 1},     {22.98976928, 2, 1}, {39.0983, 2, 1},   {30.973762, 2, 5},
    {92.90638, 2, 5}, {118.710, 1, 2},   {138.90547, 2, 3},   {140.116, 2, 3},   {140.90765, 2, 3},
    {144.242, 2, 3},  {150.36, 2, 3},    {151.964, 2, 3},     {157.25, 2, 3},    {158.92535, 2, 3},
    {162.500, 2, 3},  {164.93032, 2, 3}, {167.259, 2, 3},     {168.93421, 2, 3}, {173.054, 2, 3},
    {174.9668, 2, 3}, {88.90585, 2, 3},  {232.03806, 1, 2},   {238.02891, 1, 2}, {18.9984032, 1, 0},
    {35.453, 1, 0},   {1.00794, 2, 1},
}};

TEST(MolecularWeights, EveryRowIsTheFormulaWeightOfItsConstituent) {
    for (std::size_t c = 0; c < kOxideCount; ++c) {
        const Formula& f = kFormulas[c];
        const double expected = f.cations * f.cationAtomicWeight + f.formulaOxygens * kO;
        EXPECT_NEAR(kConstituentFormulas[c].molecularWeight, expected, 6e-5) << kOxideList[c];
        EXPECT_EQ(kConstituentFormulas[c].cations, f.cations) << kOxideList[c];
        // F, Cl and H2O stand outside the oxygen basis; every oxide counts its own oxygens.
        const int basisOxygens =
            c < static_cast<std::size_t>(kOxideOnlyCount) ? f.formulaOxygens : 0;
        EXPECT_EQ(kConstituentFormulas[c].oxygens, basisOxygens) << kOxideList[c];
    }
}

}  // namespace
}  // namespace stelvador
