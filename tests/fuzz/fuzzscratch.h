#pragma once

#include "mapdata/userinterface.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace maporv::fuzz {

// A user interface that shows nothing and declines everything: fuzzed files must be
// handled by the readers alone.
class SilentUserInterface : public UserInterface {
public:
    void showMessage(MessageKind, const std::string&) override {}
    Answer ask(const std::string&, QuestionButtons) override { return Answer::No; }
    std::string pickFile(int, const std::string&, const std::string&) override { return {}; }
    std::string pickFolder(int, const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> enterText(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    void launchEditor(const std::string&) override {}
    void beginWaitCursor() override {}
    void endWaitCursor() override {}
};

// The readers take paths, so every input is written to a file in a scratch folder that
// lives for the process (in memory where /dev/shm exists). Returns the file's path.
std::string writeScratchFile(const std::string& relative, const std::uint8_t* data,
                             std::size_t size);
// The scratch folder, ending in a separator.
const std::string& scratchFolder();

// Stops the process the way a sanitizer finding would, so the fuzzer keeps the input.
[[noreturn]] void fail(const char* what);

} // namespace maporv::fuzz
