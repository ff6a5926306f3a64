#pragma once
// The fuzz targets' one-input functions, for the corpus replay in the
// ordinary test build (their sources are compiled there without the
// libFuzzer entry point).

#include <cstddef>
#include <cstdint>

namespace lunomat::fuzz {
namespace calendar { int OneInput(const std::uint8_t* data, std::size_t size); }
namespace display { int OneInput(const std::uint8_t* data, std::size_t size); }
namespace cli { int OneInput(const std::uint8_t* data, std::size_t size); }
}  // namespace lunomat::fuzz
