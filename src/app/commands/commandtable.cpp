#include "app/commands/commandtable.h"

#include "display/textconversion.h"

#include <QAction>
#include <QMenu>

namespace maporv {
namespace {

// Where makeAction keeps the command's number on the entry.
constexpr const char* kCommandProperty = "maporvCommand";

} // namespace

void CommandTable::add(Command command) {
    const int id = command.id;
    commands_[id] = std::move(command);
}

void CommandTable::add(std::vector<Command> commands) {
    for (Command& command : commands) {
        add(std::move(command));
    }
}

const Command* CommandTable::find(int id) const {
    const auto it = commands_.find(id);
    return it != commands_.end() ? &it->second : nullptr;
}

bool CommandTable::isEnabled(int id) const {
    const Command* command = find(id);
    if (command == nullptr || !command->handler) {
        return false;
    }
    return !command->enabled || command->enabled();
}

bool CommandTable::isChecked(int id) const {
    const Command* command = find(id);
    return command != nullptr && command->checked && command->checked();
}

bool CommandTable::run(int id) const {
    if (!isEnabled(id)) {
        return false;
    }
    // A copy: the handler may rebuild the table's menus while it runs.
    const std::function<void()> handler = find(id)->handler;
    handler();
    return true;
}

int CommandTable::commandForKey(QKeyCombination key) const {
    if (key.key() == Qt::Key_unknown || key.key() == Qt::Key(0)) {
        return 0;
    }
    for (const auto& [id, command] : commands_) {
        if (command.key == key || command.alternateKey == key) {
            return id;
        }
    }
    return 0;
}

QAction* CommandTable::makeAction(int id, QObject* parent, const std::string& text) const {
    const Command* command = find(id);
    const std::string& label = !text.empty() || command == nullptr ? text : command->menuText;
    auto* action = new QAction(toQString(label), parent);
    action->setProperty(kCommandProperty, id);
    if (command != nullptr && command->checked) {
        action->setCheckable(true);
    }
    if (command != nullptr) {
        action->setStatusTip(toQString(command->statusPrompt));
        if (!command->toolTip.empty()) {
            action->setToolTip(toQString(command->toolTip));
        }
    }
    QObject::connect(action, &QAction::triggered, action, [this, action, id] {
        run(id);
        updateAction(*action);
    });
    updateAction(*action);
    return action;
}

void CommandTable::updateAction(QAction& action) const {
    const int id = commandOf(action);
    if (id == 0) {
        return;
    }
    action.setEnabled(isEnabled(id));
    if (const Command* command = find(id); command != nullptr && command->liveText) {
        action.setText(toQString(command->liveText()));
    }
    if (action.isCheckable()) {
        action.setChecked(isChecked(id));
    }
}

void CommandTable::updateMenu(QMenu& menu) const {
    for (QAction* action : menu.actions()) {
        updateAction(*action);
    }
}

int CommandTable::commandOf(const QAction& action) {
    const QVariant id = action.property(kCommandProperty);
    return id.isValid() ? id.toInt() : 0;
}

QKeyCombination altKey(Qt::Key key) {
    return QKeyCombination(Qt::AltModifier, key);
}

QKeyCombination ctrlKey(Qt::Key key) {
    return QKeyCombination(Qt::ControlModifier, key);
}

QKeyCombination ctrlShiftKey(Qt::Key key) {
    return QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, key);
}

QKeyCombination plainKey(Qt::Key key) {
    return QKeyCombination(Qt::NoModifier, key);
}

QKeyCombination shiftKey(Qt::Key key) {
    return QKeyCombination(Qt::ShiftModifier, key);
}

} // namespace maporv
