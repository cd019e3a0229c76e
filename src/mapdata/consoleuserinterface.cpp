#include "mapdata/consoleuserinterface.h"

#include <ostream>

namespace maporv {

ConsoleUserInterface::ConsoleUserInterface(std::ostream& out) : messages_(out), errors_(out) {}

ConsoleUserInterface::ConsoleUserInterface(std::ostream& messages, std::ostream& errors)
    : messages_(messages), errors_(errors) {}

void ConsoleUserInterface::showMessage(MessageKind kind, const std::string& text) {
    const bool failure = kind == MessageKind::Error || kind == MessageKind::Warning;
    if (failure) {
        ++errorCount_;
    }
    (failure ? errors_ : messages_) << text << '\n';
}

Answer ConsoleUserInterface::ask(const std::string& text, QuestionButtons) {
    errors_ << text << '\n';
    return Answer::No;
}

std::string ConsoleUserInterface::pickFile(int, const std::string&, const std::string&) {
    return std::string();
}

std::string ConsoleUserInterface::pickFolder(int, const std::string&, const std::string&) {
    return std::string();
}

std::optional<std::string> ConsoleUserInterface::enterText(const std::string&, const std::string&) {
    return std::nullopt;
}

void ConsoleUserInterface::launchEditor(const std::string&) {}

} // namespace maporv
