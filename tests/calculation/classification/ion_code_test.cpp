#include "calculation/classification/ion_code.h"
#include "calculation/classification/ion_texts.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>

namespace stelvador {
namespace {

TEST(IonCode, EachIonTextHasItsOwnCode) {
    std::set<IonCode> codes;
    for (const std::string_view text :
         {ion::kCa, ion::kSr, ion::kBa, ion::kPb, ion::kMn2, ion::kMn3, ion::kFe2, ion::kFe3,
          ion::kMg, ion::kZn, ion::kCu, ion::kV, ion::kCr, ion::kAl, ion::kReeTh, ion::kRee,
          ion::kOxygen, ion::kFluorine}) {
        const IonCode code = IonCodeOf(text);
        EXPECT_NE(code, IonCode::kOther) << text;
        EXPECT_TRUE(codes.insert(code).second) << text;
    }
}

TEST(IonCode, AnyOtherTextEqualsNoIon) {
    for (const std::string_view text :
         {"", "ca", "CA", "Ca ", " Ca", "Fe3", "Fe3+ ", "fe3+", "Mn4+", "v", "(REE)3", "REE+TH",
          "(ree)3+", "REE", "Th", "Na", "Ni", "Ti", "Mn2-"}) {
        EXPECT_EQ(IonCodeOf(text), IonCode::kOther) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace stelvador
