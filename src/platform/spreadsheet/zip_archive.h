#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "platform/spreadsheet/zip_part_device.h"

struct zip;

namespace stelvador {

// A zip archive held in memory, read part by part with a cap on what it may unpack: no part
// larger than the part limit or than kMaxUnpackRatio times its packed size (beyond the first
// kFreeUnpackBytes), and no more than the total limit over all parts, whatever sizes the
// archive claims (a zip bomb fails instead of running on). Failures throw RunTimeError 321
// (invalid file format) with the reason.
class ZipArchive {
  public:
    static constexpr std::size_t kMaxUnpackRatio = 100;
    static constexpr std::size_t kFreeUnpackBytes = 8u << 20;

    ZipArchive(std::string_view bytes, std::size_t partLimit, std::size_t totalLimit);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // Part names compare without regard to case, as in the package format.
    bool Has(const std::string& name) const;
    // The part, to be read as it unpacks.
    std::unique_ptr<ZipPartDevice> Open(const std::string& name);

  private:
    struct Closer {
        void operator()(zip* archive) const;
    };

    std::unique_ptr<zip, Closer> m_archive;
    std::size_t m_partLimit;
    std::size_t m_remaining;
    std::string m_totalWhat;
};

}  // namespace stelvador
