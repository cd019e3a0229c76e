#pragma once

#include <cstdint>

namespace maporv {

// Whether a picture's pixels are the ones in the shared pixel buffer. Every picture
// shares that one buffer, so only the picture that filled it last has its pixels
// there: setting true claims the buffer and takes it from whichever picture held it,
// which reads false from then on; setting false lets it go. It reads and is set like
// the flag it stands for.
class BufferClaim {
public:
    BufferClaim() = default;
    BufferClaim(const BufferClaim&) = delete;
    BufferClaim& operator=(const BufferClaim&) = delete;

    BufferClaim& operator=(bool claimed);
    // True while no other picture has claimed the buffer, and no one has begun to
    // overwrite it, since this one claimed it.
    operator bool() const; // NOLINT(google-explicit-constructor)

    // The buffer is about to be overwritten: whoever held it holds it no more.
    static void overwrite();

private:
    // The claim's number; 0 for none.
    std::uint64_t claim_ = 0;
};

} // namespace maporv
