#include "scripteduserinterface.h"

namespace maporv::test {

void ScriptedUserInterface::showMessage(MessageKind kind, const std::string& text) {
    messages.push_back({kind, text});
}

Answer ScriptedUserInterface::ask(const std::string& text, QuestionButtons buttons) {
    questions.push_back(text);
    if (answers.empty()) {
        return buttons == QuestionButtons::YesNoCancel ? Answer::Cancel : Answer::No;
    }
    Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::string ScriptedUserInterface::pickFile(int type, const std::string& initialPath,
                                            const std::string& title) {
    filePicks.push_back({type, initialPath, title});
    if (files.empty()) {
        return std::string();
    }
    std::string file = files.front();
    files.pop_front();
    return file;
}

std::string ScriptedUserInterface::pickFolder(int kind, const std::string& initialFolder,
                                              const std::string& prompt) {
    folderPicks.push_back({kind, initialFolder, prompt});
    if (folders.empty()) {
        return std::string();
    }
    std::string folder = folders.front();
    folders.pop_front();
    return folder;
}

std::optional<std::string> ScriptedUserInterface::enterText(const std::string& prompt,
                                                            const std::string& initialText) {
    prompts.push_back({0, initialText, prompt});
    if (texts.empty()) {
        return std::nullopt;
    }
    std::optional<std::string> text = texts.front();
    texts.pop_front();
    return text;
}

void ScriptedUserInterface::launchEditor(const std::string& file) {
    launched.push_back(file);
}

void ScriptedUserInterface::beginWaitCursor() {
    ++waitDepth;
    ++waitCount;
}

void ScriptedUserInterface::endWaitCursor() {
    --waitDepth;
}

std::vector<std::string> ScriptedUserInterface::messageTexts() const {
    std::vector<std::string> result;
    for (const Message& m : messages) {
        result.push_back(m.text);
    }
    return result;
}

std::string ScriptedUserInterface::lastMessage() const {
    return messages.empty() ? std::string() : messages.back().text;
}

void ScriptedUserInterface::clearRecord() {
    messages.clear();
    questions.clear();
    filePicks.clear();
    folderPicks.clear();
    prompts.clear();
    launched.clear();
}

} // namespace maporv::test
