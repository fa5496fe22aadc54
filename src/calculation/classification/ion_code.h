#pragma once

#include "calculation/classification/ion_texts.h"

#include <cstdint>
#include <string_view>

namespace stelvador {

// A dominant-ion text as a small number, so the species rules compare one byte per test instead
// of a text. The mapping is exact and case-sensitive: any text other than the program's own ion
// texts, the empty text included, is kOther and equals no ion.
enum class IonCode : std::uint8_t {
    kOther,
    kCa,
    kSr,
    kBa,
    kPb,
    kMn2,
    kMn3,
    kFe2,
    kFe3,
    kMg,
    kZn,
    kCu,
    kV,
    kCr,
    kAl,
    kReeTh,
    kRee,
    kOxygen,
    kFluorine,
};

namespace ion_code_detail {

constexpr std::uint32_t Pack(std::string_view text) {
    std::uint32_t packed = 0;
    for (const char c : text) {
        packed = (packed << 8) | static_cast<unsigned char>(c);
    }
    return packed;
}

}  // namespace ion_code_detail

constexpr IonCode IonCodeOf(std::string_view text) {
    using ion_code_detail::Pack;
    switch (text.size()) {
        case 1:
            switch (Pack(text)) {
                case Pack(ion::kV):
                    return IonCode::kV;
                case Pack(ion::kOxygen):
                    return IonCode::kOxygen;
                case Pack(ion::kFluorine):
                    return IonCode::kFluorine;
                default:
                    return IonCode::kOther;
            }
        case 2:
            switch (Pack(text)) {
                case Pack(ion::kCa):
                    return IonCode::kCa;
                case Pack(ion::kSr):
                    return IonCode::kSr;
                case Pack(ion::kBa):
                    return IonCode::kBa;
                case Pack(ion::kPb):
                    return IonCode::kPb;
                case Pack(ion::kMg):
                    return IonCode::kMg;
                case Pack(ion::kZn):
                    return IonCode::kZn;
                case Pack(ion::kCu):
                    return IonCode::kCu;
                case Pack(ion::kCr):
                    return IonCode::kCr;
                case Pack(ion::kAl):
                    return IonCode::kAl;
                default:
                    return IonCode::kOther;
            }
        case 4:
            switch (Pack(text)) {
                case Pack(ion::kMn2):
                    return IonCode::kMn2;
                case Pack(ion::kMn3):
                    return IonCode::kMn3;
                case Pack(ion::kFe2):
                    return IonCode::kFe2;
                case Pack(ion::kFe3):
                    return IonCode::kFe3;
                default:
                    return IonCode::kOther;
            }
        case 6:
            return text == ion::kReeTh ? IonCode::kReeTh : IonCode::kOther;
        case 7:
            return text == ion::kRee ? IonCode::kRee : IonCode::kOther;
        default:
            return IonCode::kOther;
    }
}

}  // namespace stelvador
