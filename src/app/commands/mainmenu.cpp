#include "app/commands/mainmenu.h"

#include "app/commands/commandids.h"
#include "app/commands/commandtable.h"
#include "app/commands/recentfiles.h"
#include "app/commands/userguide.h"
#include "app/commands/windowcommands.h"
#include "display/textconversion.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

namespace maporv {
namespace {

constexpr int kSeparator = 0;

// The maker's lines of the About pop-up.
constexpr const char* kProductName = "Valdorn Map Tool";
constexpr const char* kMakerLine1 = "Osk_Tools";
constexpr const char* kMakerLine2 = "Copyright (C) 2004 Osk_Tools";

QString escapedAmpersands(QString text) {
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace

MainMenu::MainMenu(QMenuBar& bar, WindowCommands& window, const CommandTable& commands,
                   const RecentFiles& recent)
    : bar_(bar), window_(window), commands_(commands), recent_(recent) {
    file_ = addMenu("&File", {{kCmdNewMap},
                              {kCmdFileOpen},
                              {kCmdOpenLast},
                              {kSeparator},
                              {kCmdFileSave},
                              {kCmdSaveImageBmpTiles},
                              {kCmdSaveImageS16Tiles},
                              {kCmdSaveImageBmp},
                              {kSeparator},
                              {kCmdRecentFirst},
                              {kSeparator},
                              {kCmdExitMenu}});
    for (QAction* action : file_->actions()) {
        if (CommandTable::commandOf(*action) == kCmdRecentFirst) {
            recentPlaceholder_ = action;
        }
    }
    edit_ = addMenu("&Edit", {{kCmdUndo},
                              {kCmdRedo},
                              {kSeparator},
                              {kCmdCheckMap},
                              {kCmdSuggestTerrain},
                              {kCmdSuggestRoads},
                              {kSeparator},
                              {kCmdDrawRoads},
                              {kCmdFillRegion},
                              {kCmdSelectRegion}});
    options_ = addMenu("&Options", {{kCmdWindowMode},
                                    {kCmdMode800x600},
                                    {kCmdMode1024x768},
                                    {kSeparator},
                                    {kCmdToggleStrategic},
                                    {kCmdGuideLine, "... also ...\tINTRO"},
                                    {kCmdGuideLine, "...  or  ...\tDouble Left Click Mouse"},
                                    {kSeparator},
                                    {kCmdToggleGrid},
                                    {kCmdToggleTerrain},
                                    {kCmdToggleRoads},
                                    {kCmdToggleNames},
                                    {kSeparator},
                                    {kCmdSetDataDialog},
                                    {kCmdTerrainFilter},
                                    {kCmdMiscTools}});
    names_ = addMenu("&Names", {{kCmdLoadNames}, {kCmdSaveNames}, {kCmdBrowseNames}});
    buildHelp();
    rebuildRecentEntries();
}

QMenu* MainMenu::addMenu(const char* title, const std::vector<Line>& lines) {
    QMenu* menu = bar_.addMenu(QString::fromLatin1(title));
    for (const Line& line : lines) {
        if (line.id == kSeparator) {
            menu->addSeparator();
        } else {
            menu->addAction(
                commands_.makeAction(line.id, menu, line.text != nullptr ? line.text : ""));
        }
    }
    watch(menu, true);
    return menu;
}

void MainMenu::buildHelp() {
    help_ = bar_.addMenu(QStringLiteral("&Help"));
    QMenu* about = help_->addMenu(QStringLiteral("&About..."));
    for (const char* text :
         {kProductName, static_cast<const char*>(nullptr), kMakerLine1, kMakerLine2}) {
        // The release line is the command whose text is the version.
        QAction* line = text == nullptr ? commands_.makeAction(kCmdRelease, about)
                                        : new QAction(QString::fromLatin1(text), about);
        line->setEnabled(false);
        about->addAction(line);
    }
    watch(about, false);
    for (const GuideTopic& topic : userGuide()) {
        QMenu* menu = help_->addMenu(QString::fromLatin1(topic.title));
        for (const GuideLine& line : topic.lines) {
            menu->addAction(commands_.makeAction(line.command != 0 ? line.command : kCmdGuideLine,
                                                 menu, line.text));
        }
        watch(menu, false);
    }
    watch(help_, true);
}

void MainMenu::watch(QMenu* menu, bool topLevel) {
    connect(menu, &QMenu::aboutToShow, this, [this, menu, topLevel] {
        if (menu == file_) {
            rebuildRecentEntries();
        }
        commands_.updateMenu(*menu);
        if (topLevel) {
            window_.enterMenuLoop();
        }
    });
    if (!topLevel) {
        return;
    }
    connect(menu, &QMenu::aboutToHide, this, [this] {
        // Moving from one menu of the bar to the next closes one and opens the other:
        // the loop ends only when no menu is open a moment later.
        QTimer::singleShot(0, this, [this] {
            if (QApplication::activePopupWidget() == nullptr) {
                window_.exitMenuLoop();
            }
        });
    });
}

void MainMenu::rebuildRecentEntries() {
    for (QAction* entry : recentEntries_) {
        file_->removeAction(entry);
        entry->deleteLater();
    }
    recentEntries_.clear();
    const std::vector<std::string>& paths = recent_.entries();
    recentPlaceholder_->setVisible(paths.empty());
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const QString text =
            QStringLiteral("&%1 %2").arg(i + 1).arg(escapedAmpersands(toQString(paths[i])));
        QAction* entry =
            commands_.makeAction(kCmdRecentFirst + static_cast<int>(i), file_, toStdString(text));
        file_->insertAction(recentPlaceholder_, entry);
        recentEntries_.push_back(entry);
    }
}

} // namespace maporv
