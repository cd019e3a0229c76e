#pragma once

namespace maporv {

// Whether Caps Lock is on, where the platform tells it (an X session); off elsewhere.
bool readCapsLockState();

} // namespace maporv
