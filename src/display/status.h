#pragma once

#include <cstdint>

namespace maporv {

// The result of a display operation: 0 for success, negative for failure. The values
// are those the drawing layer always used, so callers can test for them by name.
using Status = std::int32_t;

inline constexpr Status kOk = 0;
inline constexpr Status kFail = static_cast<Status>(0x80004005u);    // E_FAIL
inline constexpr Status kPointer = static_cast<Status>(0x80004003u); // E_POINTER: no such object
inline constexpr Status kNoInterface = static_cast<Status>(0x80004002u); // E_NOINTERFACE
inline constexpr Status kSurfaceLost = static_cast<Status>(0x887601C2u);
inline constexpr Status kStillDrawing = static_cast<Status>(0x8876021Cu);
inline constexpr Status kExclusiveModeAlreadySet = static_cast<Status>(0x88760245u);
// A copy whose source rectangle is empty, inverted or outside the source surface.
inline constexpr Status kInvalidRect = static_cast<Status>(0x88760096u);

inline constexpr bool succeeded(Status status) {
    return status >= 0;
}
inline constexpr bool failed(Status status) {
    return status < 0;
}

} // namespace maporv
