#include "app/commands/commandids.h"
#include "app/dialogs/openmapdialog.h"
#include "app/dialogs/savemapdialog.h"
#include "app/shell/maptoolapp.h"
#include "app/toolwindows/setdatadialog.h"
#include "app/window/mapframe.h"
#include "apptesting.h"
#include "dialogprobe.h"
#include "editing/mapeditor.h"
#include "mapdata/mapdocument.h"
#include "mapdata/paths.h"
#include "modalscript.h"
#include "picturefiles.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <filesystem>
#include <gmock/gmock.h>

namespace maporv {
namespace {

using test::clearSettings;
using test::readSetting;
using test::writeSetting;

using ::testing::ElementsAre;
using ::testing::IsEmpty;

const QString kLastOpen = QStringLiteral("Settings/LastOpen");

std::string homeScenario() {
    return withTrailingSeparator(QDir::homePath().toStdString()) + "valdorn/SCENARIO/";
}

void click(QWidget* dialog, const char* button) {
    auto* widget = dialog->findChild<QAbstractButton*>(QString::fromLatin1(button));
    ASSERT_NE(widget, nullptr) << button;
    widget->click();
}

void setEdit(QWidget* dialog, const char* edit, const std::string& text) {
    auto* widget = dialog->findChild<QLineEdit*>(QString::fromLatin1(edit));
    ASSERT_NE(widget, nullptr) << edit;
    widget->setText(QString::fromStdString(text));
}

class MapToolAppTest : public test::AppTest {
protected:
    // A map of the game folder loaded from the command line, with its names.
    void startWithMap() {
        game.addNames(7, "(03,02) #Hilltown\n");
        mapPath = game.addMap("DEMO.MAP", 7);
        writeSetting(kLastOpen, QString::fromStdString(mapPath));
        start({QString::fromStdString(mapPath)});
    }
    const MapDocument& document() { return app->workspace().document; }
    const MapNames& names() { return app->workspace().names; }

    std::string mapPath;
};

TEST_F(MapToolAppTest, FirstRunAsksForTheScenarioFolderOnce) {
    const std::string chosen = game.temp.makeFolder("g/SCENARIO");
    ui.folders = {chosen};
    start();
    ASSERT_EQ(ui.folderPicks.size(), 1U);
    EXPECT_EQ(ui.folderPicks[0].typeOrKind, FolderKind::Scenario);
    EXPECT_EQ(ui.folderPicks[0].title, "Select Valdorn SCENARIO folder");
    EXPECT_EQ(app->workspace().lastOpen, chosen + "*.map");
    EXPECT_EQ(app->workspace().gameFolder, game.root() + "g/");
    EXPECT_EQ(app->workspace().infoText, " No file loaded");

    // LastOpen is written when the run ends, and the next run asks nothing.
    finish();
    EXPECT_EQ(readSetting(kLastOpen).toString().toStdString(), chosen + "*.map");
    ui.folderPicks.clear();
    start();
    EXPECT_THAT(ui.folderPicks, IsEmpty());
    EXPECT_EQ(app->workspace().lastOpen, chosen + "*.map");
}

TEST_F(MapToolAppTest, FirstRunAsksWhereTheScenarioFolderMostLikelyIs) {
    // Below the run's own home folder: a folder made, or a MAP file made and named on
    // the command line; then where the question starts. Each case keeps what the ones
    // before it made.
    const std::string home = withTrailingSeparator(QDir::homePath().toStdString());
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"valdorn/SCENARIO/", "valdorn/SCENARIO/"},
        {"game/SCENARIO/X.MAP", "game/SCENARIO/"},
        {"game/MAP/X.MAP", "game/SCENARIO/"}, // SCENARIO/ beside the file's folder
        {"maps/old/X.MAP", "maps/old/"},      // none beside: the MAP file's own folder
    };
    for (const auto& [made, initial] : cases) {
        const bool file = made.ends_with(".MAP");
        std::filesystem::create_directories(home + folderPart(made));
        ASSERT_TRUE(!file || writeFileAtomically(home + made, MapDocument().toBytes()));
        clearSettings();
        ui.folderPicks.clear();
        start(file ? QStringList{QString::fromStdString(home + made)} : QStringList{});
        ASSERT_EQ(ui.folderPicks.size(), 1U) << made;
        EXPECT_EQ(ui.folderPicks[0].initial, home + initial) << made;
        finish();
    }
    for (const char* folder : {"valdorn", "game", "maps"}) {
        std::filesystem::remove_all(home + folder);
    }
}

TEST_F(MapToolAppTest, FirstRunCancelledStartsAtTheUsualFolder) {
    start();
    EXPECT_EQ(ui.folderPicks.size(), 1U);
    EXPECT_EQ(app->workspace().lastOpen, homeScenario());
    EXPECT_TRUE(app->commands().isEnabled(kCmdOpenLast));
}

TEST_F(MapToolAppTest, TheCommandLineFileIsLoadedAndShown) {
    startWithMap();
    EXPECT_THAT(ui.folderPicks, IsEmpty());
    EXPECT_TRUE(document().loaded);
    EXPECT_EQ(app->workspace().infoText,
              "Map file: " + mapPath + " #007 *  MAP07xx.S16  (640 x 480) - ");
    EXPECT_TRUE(frame().view().mapPictureLoaded());
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("MapOrv - DEMO.MAP"));
    EXPECT_EQ(names().nameText(names().nameAt(2, 3)), "Hilltown");
    EXPECT_EQ(app->workspace().lastOpen, mapPath);
    // A file named on the command line is not a recent file by itself.
    EXPECT_THAT(app->recentFiles().entries(), IsEmpty());
}

TEST_F(MapToolAppTest, APictureOnTheCommandLineStartsANewMap) {
    const std::string tile = game.temp.write("MAP/MAP1200.s16", test::s16Uniform(64, 48, 0));
    writeSetting(kLastOpen, QString::fromStdString(tile));
    start({QString::fromStdString(tile)});
    EXPECT_EQ(document().path, game.root() + "SCENARIO/MAP12.map");
    EXPECT_EQ(document().mapNumber, 12);
    EXPECT_EQ(app->workspace().infoText,
              "Map file: " + game.root() + "SCENARIO/MAP12.map #012 *  MAP12xx.S16  (64 x 48) - ");
}

TEST_F(MapToolAppTest, AMapWithoutItsPictureShowsNoOtherPicture) {
    startWithMap();
    const std::string bare = game.addMap("BARE.MAP", 9, false);
    app->load(bare, false); // the picture question is cancelled
    EXPECT_TRUE(document().loaded);
    EXPECT_FALSE(frame().view().mapPictureLoaded());
    EXPECT_FALSE(app->commands().isEnabled(kCmdSaveImageBmp));
}

TEST_F(MapToolAppTest, ExitWithOnlyNamesModifiedAsksOnlyAboutTheNames) {
    startWithMap();
    change([&](MapWorkspace& w) { w.names.modified = true; });
    ui.answers = {Answer::No};
    EXPECT_TRUE(frame().close());
    EXPECT_THAT(ui.questions,
                ElementsAre("Names loaded from:\n" + names().path +
                            "\nhave been modified\nSave changes (same or different file) ?"));
}

TEST_F(MapToolAppTest, CancelInTheFirstQuestionKeepsRunningAndAsksNoMore) {
    startWithMap();
    change([&](MapWorkspace& w) { w.document.modified = true; });
    change([&](MapWorkspace& w) { w.names.modified = true; });
    ui.answers = {Answer::Cancel};
    EXPECT_FALSE(frame().close());
    EXPECT_THAT(ui.questions, ElementsAre(mapPath + "\nIS modified\nSave changes ?"));
    EXPECT_TRUE(frame().isVisible());
}

TEST_F(MapToolAppTest, BothQuestionsInTheirOrder) {
    startWithMap();
    change([&](MapWorkspace& w) { w.document.modified = true; });
    change([&](MapWorkspace& w) { w.names.modified = true; });
    ui.answers = {Answer::No, Answer::No};
    EXPECT_TRUE(frame().close());
    ASSERT_EQ(ui.questions.size(), 2U);
    EXPECT_EQ(ui.questions[0], mapPath + "\nIS modified\nSave changes ?");
    EXPECT_EQ(ui.questions[1].rfind("Names loaded from:\n", 0), 0U);
}

TEST_F(MapToolAppTest, ACancelledSaveKeepsTheProgramAndTheChanges) {
    startWithMap();
    change([&](MapWorkspace& w) { w.document.modified = true; });
    ui.answers = {Answer::Yes};
    test::ModalScript script;
    script.then([](QWidget* dialog) {
        ASSERT_NE(qobject_cast<SaveMapDialog*>(dialog), nullptr);
        click(dialog, "cancelButton");
    });
    EXPECT_FALSE(frame().close());
    EXPECT_TRUE(document().modified);
    EXPECT_EQ(ui.questions.size(), 1U);
}

TEST_F(MapToolAppTest, AFailedSaveKeepsTheProgramAndTheChanges) {
    startWithMap();
    change([&](MapWorkspace& w) { w.document.modified = true; });
    ui.answers = {Answer::Yes};
    test::ModalScript script;
    script.then([this](QWidget* dialog) {
        setEdit(dialog, "mapFolderEdit", game.root() + "no/such/folder/");
        click(dialog, "okButton");
    });
    EXPECT_FALSE(frame().close());
    EXPECT_TRUE(document().modified);
    EXPECT_EQ(ui.lastMessage().rfind("Error on creating [", 0), 0U);
}

TEST_F(MapToolAppTest, ASavedMapGoesOnToTheNamesAndExits) {
    startWithMap();
    change([&](MapWorkspace& w) { w.document.modified = true; });
    change([&](MapWorkspace& w) { w.document.cells[5][6].terrain = 3; });
    change([&](MapWorkspace& w) { w.names.modified = true; });
    ui.answers = {Answer::Yes, Answer::No};
    test::ModalScript script;
    script.then([this](QWidget* dialog) {
        setEdit(dialog, "fileNameEdit", "SAVED");
        click(dialog, "okButton");
    });
    EXPECT_TRUE(frame().close());
    const std::string saved = game.scenario() + "SAVED.MAP";
    EXPECT_TRUE(fileExists(saved));
    EXPECT_FALSE(document().modified);
    EXPECT_EQ(ui.questions.size(), 2U);
    EXPECT_THAT(app->recentFiles().entries(), ElementsAre(saved));
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("MapOrv - SAVED.MAP"));

    finish();
    EXPECT_EQ(readSetting(kLastOpen).toString().toStdString(), saved);
    EXPECT_EQ(readSetting(QStringLiteral("Recent File List/File1")).toString().toStdString(),
              saved);
}

// Before a map is loaded nothing can be saved, so nothing may be changed either: a
// save question whose Yes does nothing would follow.
TEST_F(MapToolAppTest, WithoutAMapTheCommandsThatChangeOneAreOff) {
    start();
    bool changeEnabled = true;
    test::ModalScript script;
    script.then([&](QWidget* dialog) {
        auto* change = dialog->findChild<QAbstractButton*>(QStringLiteral("changeButton"));
        ASSERT_NE(change, nullptr);
        changeEnabled = change->isEnabled();
        click(dialog, "closeButton");
    });
    app->commands().run(kCmdMiscTools);
    EXPECT_FALSE(changeEnabled);

    ASSERT_TRUE(app->commands().run(kCmdSetDataDialog));
    ASSERT_NE(frame().setDataDialog(), nullptr);
    for (const char* name : {"addButton", "editButton"}) {
        auto* button =
            frame().setDataDialog()->findChild<QAbstractButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr);
        EXPECT_FALSE(button->isEnabled()) << name;
    }
    app->session().edit(&MapEditor::rightMenuAction, kMenuAddName);
    EXPECT_TRUE(ui.prompts.empty());

    EXPECT_TRUE(frame().close());
    EXPECT_THAT(ui.questions, IsEmpty());
}

TEST_F(MapToolAppTest, OpenLastAndRecentFilesAskFirst) {
    startWithMap();
    const std::string other = game.addMap("OTHER.MAP", 8);
    app->recentFiles().add(other);
    change([&](MapWorkspace& w) { w.document.modified = true; });
    ui.answers = {Answer::Cancel, Answer::Cancel};
    EXPECT_TRUE(app->commands().run(kCmdOpenLast));
    EXPECT_TRUE(app->commands().run(kCmdRecentFirst));
    EXPECT_EQ(ui.questions.size(), 2U);
    EXPECT_EQ(document().path, mapPath);

    ui.answers = {Answer::No};
    app->commands().run(kCmdRecentFirst);
    EXPECT_EQ(document().path, other);
    EXPECT_FALSE(document().modified);
    EXPECT_EQ(document().mapNumber, 8);
}

TEST_F(MapToolAppTest, OpenShowsTheDialogAtTheAnchorAndLoadsTheChoice) {
    startWithMap();
    const std::string other = game.addMap("OTHER.MAP", 8);
    QPoint placedAt;
    test::ModalScript script;
    script.then([&](QWidget* dialog) {
        auto* open = qobject_cast<OpenMapDialog*>(dialog);
        ASSERT_NE(open, nullptr);
        placedAt = open->pos();
        ASSERT_EQ(open->entries().size(), 2U);
        click(dialog, "loadButton"); // the first line, by number: map 7
    });
    app->commands().run(kCmdFileOpen);
    EXPECT_EQ(placedAt, frame().dialogAnchor() + QPoint(0, 48));
    EXPECT_EQ(document().path, mapPath);
    EXPECT_THAT(app->recentFiles().entries(), ElementsAre(mapPath));
}

TEST_F(MapToolAppTest, AfterACancelledOpenTheMapsOwnPictureIsBack) {
    startWithMap();
    game.addMap("OTHER.MAP", 8, true, 320, 200);
    const Rect placed = frame().view().picture.placeRect;
    test::ModalScript script;
    script.then([](QWidget* dialog) {
        // The previews borrow the shared pixel buffer.
        auto* open = qobject_cast<OpenMapDialog*>(dialog);
        ASSERT_NE(open, nullptr);
        click(dialog, "cancelButton");
    });
    app->commands().run(kCmdFileOpen);
    EXPECT_TRUE(app->workspace().picture.valid);
    EXPECT_EQ(app->workspace().picture.width, 640);
    EXPECT_TRUE(frame().view().mapPictureLoaded());
    EXPECT_EQ(frame().view().picture.placeRect, placed);
    EXPECT_EQ(document().path, mapPath);
    EXPECT_TRUE(app->commands().isEnabled(kCmdSaveImageBmp));
}

// LOAD of a map that vanished after the listing, with a replacement picture picked
// for it: the open map keeps its own picture, back in the view and in the buffer the
// previews borrowed.
TEST_F(MapToolAppTest, AFailedLoadFromTheOpenDialogKeepsTheOpenMapWhole) {
    startWithMap();
    const std::string ownPicture = document().picturePath;
    game.addMap("OTHER.MAP", 8, true, 320, 200);
    const std::string gone = game.addMap("GONE.MAP", 9, false);
    ui.answers = {Answer::Yes};
    ui.files = {game.root() + "MAP/MAP0800.s16"};
    test::ModalScript script;
    script.then([&](QWidget* dialog) {
        test::selectLineStarting(*dialog, "mapList", "   8"); // previewed
        test::selectLineStarting(*dialog, "mapList", "   9"); // its picture is missing
        std::filesystem::remove(gone);
        click(dialog, "loadButton");
    });
    app->commands().run(kCmdFileOpen);

    EXPECT_EQ(ui.lastMessage(), "Map file [" + gone + "]\nnot found");
    EXPECT_EQ(document().path, mapPath);
    EXPECT_EQ(document().picturePath, ownPicture);
    EXPECT_TRUE(app->workspace().picture.valid);
    EXPECT_EQ(app->workspace().picture.width, 640);
    EXPECT_TRUE(frame().view().mapPictureLoaded());
    EXPECT_TRUE(app->commands().isEnabled(kCmdSaveImageBmp));
    EXPECT_THAT(app->recentFiles().entries(), IsEmpty());
}

TEST_F(MapToolAppTest, LoadMapNamesReplacesTheNames) {
    startWithMap();
    const std::string file = game.temp.write("MAP/OTHER.TXT", "hdr\n(01,01) #Lowtown\n");
    ui.files = {file};
    app->commands().run(kCmdLoadNames);
    ASSERT_EQ(ui.filePicks.size(), 1U);
    EXPECT_EQ(ui.filePicks[0].title, "Select a text file with the names for this MAP");
    EXPECT_EQ(names().nameText(names().nameAt(1, 1)), "Lowtown");
    EXPECT_EQ(names().nameAt(2, 3), 0);
    EXPECT_FALSE(names().modified);

    ui.files = {game.root() + "MAP/MISSING.TXT"};
    app->commands().run(kCmdLoadNames);
    EXPECT_EQ(ui.lastMessage(), game.root() + "MAP/MISSING.TXT not found");
}

TEST_F(MapToolAppTest, SaveMapNamesMarksTheNamesSaved) {
    startWithMap();
    change([&](MapWorkspace& w) { w.names.modified = true; });
    const std::string target = game.root() + "MAP/SAVED.TXT";
    ui.files = {target};
    EXPECT_TRUE(app->commands().run(kCmdSaveNames));
    EXPECT_TRUE(fileExists(target));
    EXPECT_FALSE(names().modified);
}

TEST_F(MapToolAppTest, BrowseMapNamesOpensTheChosenFile) {
    startWithMap();
    ui.files = {names().path};
    app->commands().run(kCmdBrowseNames);
    EXPECT_EQ(ui.filePicks.back().title, "MapNames files");
    EXPECT_THAT(ui.launched, ElementsAre(names().path));
}

TEST_F(MapToolAppTest, ExportsAskForTheirFiles) {
    startWithMap();
    ui.files = {game.root() + "out.bmp"};
    app->commands().run(kCmdSaveImageBmp);
    EXPECT_TRUE(fileExists(game.root() + "out.bmp"));
    app->commands().run(kCmdSaveImageS16Tiles);
    EXPECT_EQ(ui.filePicks.back().initial, game.root() + "MAP/MAP07??.s16");
    EXPECT_EQ(ui.filePicks.back().title, "Select folder and base filename to map tiles");
    app->commands().run(kCmdSaveImageBmpTiles);
    EXPECT_EQ(ui.filePicks.back().title, "Select folder and base filename to split");
}

TEST_F(MapToolAppTest, CommandsFollowTheirRules) {
    writeSetting(kLastOpen, QString::fromStdString(game.scenario()));
    start();
    const CommandTable& commands = app->commands();
    for (const int id : {kCmdFileSave, kCmdLoadNames, kCmdSaveNames, kCmdSaveImageBmp,
                         kCmdSaveImageBmpTiles, kCmdSaveImageS16Tiles, kCmdRecentFirst}) {
        EXPECT_FALSE(commands.isEnabled(id)) << id;
    }
    for (const int id : {kCmdFileOpen, kCmdOpenLast, kCmdBrowseNames, kCmdExitMenu, kCmdExitKey,
                         kCmdSwitchMode, kCmdToggleNames}) {
        EXPECT_TRUE(commands.isEnabled(id)) << id;
    }
    for (const int id : {kCmdNewMap, kCmdSetDataDialog, kCmdTerrainFilter, kCmdMiscTools,
                         kCmdGetData, kCmdClearName}) {
        EXPECT_TRUE(commands.isEnabled(id)) << id;
    }
    // Nothing to undo yet; the menus' text lines and the panes do nothing.
    for (const int id : {kCmdUndo, kCmdRedo, kCmdGuideLine, kCmdRelease, kCmdNextPane}) {
        EXPECT_FALSE(commands.isEnabled(id)) << id;
        EXPECT_FALSE(commands.run(id)) << id;
    }

    game.addNames(7, "(03,02) #Hilltown\n");
    app->load(game.addMap("DEMO.MAP", 7), false);
    for (const int id : {kCmdFileSave, kCmdLoadNames, kCmdSaveNames, kCmdSaveImageBmp,
                         kCmdSaveImageBmpTiles, kCmdSaveImageS16Tiles}) {
        EXPECT_TRUE(commands.isEnabled(id)) << id;
    }
    EXPECT_TRUE(commands.isChecked(kCmdToggleNames));
    EXPECT_TRUE(commands.isChecked(kCmdToggleStrategic));
    EXPECT_FALSE(commands.isChecked(kCmdToggleRoads));
}

TEST_F(MapToolAppTest, CapsLockOnlyChangesTheWarning) {
    writeSetting(kLastOpen, QString::fromStdString(game.scenario()));
    start();
    EXPECT_FALSE(frame().view().capsLockOn);
    EXPECT_TRUE(app->commands().run(kCmdCapsLock));
    EXPECT_TRUE(frame().view().capsLockOn);
}

TEST_F(MapToolAppTest, TheLoadStepStartsTheEditHistoryAnew) {
    startWithMap();
    EditSession& session = app->session();
    EditStep step;
    step.name = "test";
    HexCell after;
    after.terrain = 7;
    step.cells.push_back({2, 3, HexCell{}, after});
    ASSERT_TRUE(session.perform(std::move(step)));
    EXPECT_TRUE(document().modified);
    ui.answers = {Answer::No};
    app->commands().run(kCmdOpenLast);
    EXPECT_FALSE(session.history().canUndo());
    EXPECT_FALSE(document().modified);
}

// With the editor's own user interface, boxes and pickers show over the main window,
// and over a full-screen display the desktop's windows are let through first.
TEST_F(MapToolAppTest, PickersShowOverTheFullScreenDisplay) {
    writeSetting(kLastOpen, QString::fromStdString(game.scenario()));
    AppSetup setup;
    setup.workArea = test::kTestWorkArea;
    setup.maximise = false;
    setup.capsLockOn = false;
    setup.runRenderLoop = false;
    MapToolApp own(setup);
    ASSERT_TRUE(own.start());
    own.commands().run(kCmdMode800x600);
    ASSERT_FALSE(own.frame()->display().showingDesktop());

    bool desktopShown = false;
    QWidget* parent = nullptr;
    test::ModalScript script;
    script.then([&](QWidget* dialog) {
        desktopShown = own.frame()->display().showingDesktop();
        parent = dialog->parentWidget();
        qobject_cast<QDialog*>(dialog)->reject();
    });
    own.commands().run(kCmdBrowseNames);
    EXPECT_TRUE(desktopShown);
    EXPECT_EQ(parent, own.frame());
}

} // namespace
} // namespace maporv
