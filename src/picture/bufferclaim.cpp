#include "picture/bufferclaim.h"

namespace maporv {
namespace {

// The number of the last claim or overwrite of the buffer; only the claim that took
// this number holds the buffer.
std::uint64_t lastTaken = 0;

} // namespace

BufferClaim& BufferClaim::operator=(bool claimed) {
    claim_ = claimed ? ++lastTaken : 0;
    return *this;
}

BufferClaim::operator bool() const {
    return claim_ != 0 && claim_ == lastTaken;
}

void BufferClaim::overwrite() {
    ++lastTaken;
}

} // namespace maporv
