#include "common/run_time_error.h"

#include <utility>

namespace stelvador {

namespace {
std::string describe(int number, const std::string& description) {
    return description.empty() ? "Run-time error " + std::to_string(number) : description;
}
}  // namespace

RunTimeError::RunTimeError(int number, const std::string& description, std::string reason)
    : std::runtime_error(describe(number, description)),
      m_number(number),
      m_reason(std::move(reason)) {}

}  // namespace stelvador
