#pragma once

#include <QObject>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;

namespace maporv {

class CommandTable;
class RecentFiles;
class WindowCommands;

// The menu bar of the main window: File, Edit, Options, Names and Help, built from the
// command table. Before a menu shows, its entries take their enabled and checked
// states from the command rules, and the File menu puts the recent files, newest
// first, where its "Recent File" placeholder stands.
//
// Opening the first menu and closing the last one are the window's menu loop.
class MainMenu : public QObject {
public:
    MainMenu(QMenuBar& bar, WindowCommands& window, const CommandTable& commands,
             const RecentFiles& recent);

    QMenu* fileMenu() const { return file_; }
    QMenu* editMenu() const { return edit_; }
    QMenu* optionsMenu() const { return options_; }
    QMenu* namesMenu() const { return names_; }
    QMenu* helpMenu() const { return help_; }
    // The File menu's recent-file entries as they were last built.
    const std::vector<QAction*>& recentEntries() const { return recentEntries_; }

    // Rebuilds the recent-file entries from the list.
    void rebuildRecentEntries();

private:
    struct Line {
        int id;                     // 0: a separator
        const char* text = nullptr; // instead of the command's menu text
    };
    QMenu* addMenu(const char* title, const std::vector<Line>& lines);
    void buildHelp();
    // Keeps the menu's entries up to date and the window's menu loop informed.
    void watch(QMenu* menu, bool topLevel);

    QMenuBar& bar_;
    WindowCommands& window_;
    const CommandTable& commands_;
    const RecentFiles& recent_;
    QMenu* file_ = nullptr;
    QMenu* edit_ = nullptr;
    QMenu* options_ = nullptr;
    QMenu* names_ = nullptr;
    QMenu* help_ = nullptr;
    QAction* recentPlaceholder_ = nullptr;
    std::vector<QAction*> recentEntries_;
};

} // namespace maporv
