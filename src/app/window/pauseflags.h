#pragma once

namespace maporv {

// The bits of MapFrame::pauseFlags(). Any bit set stops the render loop.
inline constexpr int kPauseNotCreated = 0x01;  // until the window's creation has succeeded
inline constexpr int kPauseStop = 0x04;        // a mode switch runs, or frames keep failing
inline constexpr int kPauseDisplayInit = 0x08; // the display is being initialised
inline constexpr int kPauseMinimised = 0x10;
inline constexpr int kPauseNamePrompt = 0x20; // the Set data dialog asks for a name

} // namespace maporv
