#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "platform/spreadsheet/zip_part_device.h"

struct zip;

namespace stelvador {

// What an archive's parts may unpack to: no part larger than the part limit or than the ratio
// times its packed size (beyond its first free bytes), and no more than the total over all
// parts. Real parts unpack to a few dozen times their packed size at most; a zip bomb to a
// thousand times.
struct UnpackLimits {
    std::size_t partBytes = 128u << 20;
    std::size_t totalBytes = 256u << 20;
    std::size_t ratio = 100;
    std::size_t freeBytes = 8u << 20;
};

// A zip archive held in memory, read part by part with a cap on what it may unpack, whatever
// sizes the archive claims (a zip bomb fails instead of running on). Failures throw
// RunTimeError 321 (invalid file format) with the reason.
class ZipArchive {
  public:
    ZipArchive(std::string_view bytes, const UnpackLimits& limits);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // Part names compare without regard to case, as in the package format.
    bool Has(const std::string& name) const;
    // The part, to be read as it unpacks.
    std::unique_ptr<ZipPartDevice> Open(const std::string& name);
    // The part's bytes whole, within the same bounds.
    std::string ReadWhole(const std::string& name);

  private:
    struct Closer {
        void operator()(zip* archive) const;
    };

    std::unique_ptr<zip, Closer> m_archive;
    UnpackLimits m_limits;
    std::size_t m_remaining;
    std::string m_totalWhat;
};

}  // namespace stelvador
