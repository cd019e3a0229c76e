#include "mapdata/consoleuserinterface.h"

#include <iostream>

namespace maporv {

ConsoleUserInterface::ConsoleUserInterface() : out_(std::cerr) {}

ConsoleUserInterface::ConsoleUserInterface(std::ostream& out) : out_(out) {}

void ConsoleUserInterface::showMessage(MessageKind kind, const std::string& text) {
    if (kind == MessageKind::Error) {
        ++errors_;
    }
    out_ << text << '\n';
}

Answer ConsoleUserInterface::ask(const std::string& text, QuestionButtons) {
    out_ << text << '\n';
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
