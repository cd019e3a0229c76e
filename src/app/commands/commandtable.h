#pragma once

#include <QKeyCombination>
#include <functional>
#include <map>
#include <string>
#include <vector>

class QAction;
class QMenu;
class QObject;

namespace maporv {

// One command of the editor: its number, how the menu shows it, its accelerator, and
// the rules and the handler behind it.
struct Command {
    int id = 0;
    // With its "&" mnemonic and, after "\t", the shortcut column; empty for commands
    // that no menu shows.
    std::string menuText{};
    // A menu text that changes with the state (it names what the command will do);
    // read whenever the entry's states are updated. None keeps menuText.
    std::function<std::string()> liveText{};
    // The line the window's status area shows while the entry is highlighted, and the
    // short form a tool tip shows; empty for none.
    std::string statusPrompt{};
    std::string toolTip{};
    // The accelerator key; an empty combination for none.
    QKeyCombination key{};
    // A second key for the same command; an empty combination for none.
    QKeyCombination alternateKey{};
    // When the command may run; no rule means whenever it has a handler.
    std::function<bool()> enabled{};
    // Whether its menu entry shows a check mark; no rule means the entry has none.
    std::function<bool()> checked{};
    // What it does; a command without one (its item comes later, or it only labels a
    // menu line) is shown disabled and does nothing.
    std::function<void()> handler{};
};

// The editor's commands by number. Menus and accelerators both go through it: the
// rules are evaluated before a menu shows and before an accelerator acts, so a
// disabled command does nothing whichever way it is reached.
class CommandTable {
public:
    void add(Command command);
    void add(std::vector<Command> commands);
    const Command* find(int id) const;

    bool isEnabled(int id) const;
    bool isChecked(int id) const;
    // Runs the command when it is enabled; false when it did not run.
    bool run(int id) const;

    // The command whose accelerator this is, or 0.
    int commandForKey(QKeyCombination key) const;

    // A menu entry for the command: its menu text (or text, when given), checkable
    // when the command has a check rule, running the command when triggered.
    QAction* makeAction(int id, QObject* parent, const std::string& text = {}) const;
    // Sets the enabled and checked states (and live texts) of the menu's entries from
    // the rules.
    void updateMenu(QMenu& menu) const;
    // The same for one entry made by makeAction.
    void updateAction(QAction& action) const;

    // The command an entry made by makeAction runs, 0 for other entries.
    static int commandOf(const QAction& action);

private:
    std::map<int, Command> commands_;
};

// The accelerator key combinations, for the table.
QKeyCombination altKey(Qt::Key key);
QKeyCombination ctrlKey(Qt::Key key);
QKeyCombination ctrlShiftKey(Qt::Key key);
QKeyCombination plainKey(Qt::Key key);
QKeyCombination shiftKey(Qt::Key key);

} // namespace maporv
