#include "app/commands/commandids.h"
#include "app/shell/recoveryfolder.h"
#include "app/shell/recoverykeeper.h"
#include "app/window/framesurface.h"
#include "app/window/mapframe.h"
#include "apptesting.h"
#include "editing/recoveryrecord.h"
#include "mapdata/paths.h"
#include "modalscript.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QDir>
#include <QTest>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace maporv {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::StartsWith;

// Without CAP_DAC_OVERRIDE (in this thread) a folder's mode binds root as any user.
void rootOverridesModes(bool on) {
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    syscall(SYS_capget, &header, data);
    const std::uint32_t bit = 1u << CAP_DAC_OVERRIDE;
    data[0].effective =
        on ? data[0].effective | (data[0].permitted & bit) : data[0].effective & ~bit;
    syscall(SYS_capset, &header, data);
}

class RecoveryTest : public test::EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        map = document().path;
        original = game.temp.read("SCENARIO/DEMO.MAP");
    }

    RecoveryKeeper& keeper() { return app->recovery(); }
    static std::string folder() { return RecoveryFolder::standardPath(); }
    static std::vector<std::string> records() { return listFiles(folder(), "*.rec"); }
    static RecoveryRecord recordAt(const std::string& path) {
        RecoveryRead read = readRecoveryRecord(path);
        EXPECT_TRUE(read.record) << read.problem;
        return read.record ? *read.record : RecoveryRecord();
    }

    // A change of the map through the editing commands, as the keys make it.
    void setTerrain(int row, int column, int terrain) {
        changeBrush([&](Brush& b) { b.terrain = terrain; });
        pointAt(row, column);
        type('T');
    }
    // The editor started again on the same map, the user answering as told.
    void restart(std::deque<Answer> answers = {}) {
        app.reset();
        ui.clearRecord();
        ui.answers = std::move(answers);
        start({QString::fromStdString(map)});
        frame().activateWindow();
        frame().surface().setFocus();
        app->commands().run(kCmdToggleStrategic); // full size
    }
    static std::string question(const RecoveryRecord& record, const std::string& what,
                                const std::string& more = "") {
        const QString when = QDateTime::fromSecsSinceEpoch(record.time)
                                 .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        return "MapOrv found unsaved changes to " + what + " from " + when.toStdString() + "." +
               more + "\nRecover them ?";
    }

    std::string map;
    std::string original;
};

TEST_F(RecoveryTest, AChangeIsRecordedWithinTheDelayAndNothingRunsAtRest) {
    EXPECT_FALSE(keeper().pending());
    setTerrain(5, 6, 3);
    setTerrain(5, 7, 3);
    // The changes coalesce into one record that follows them, not one per change.
    EXPECT_TRUE(keeper().pending());
    EXPECT_TRUE(records().empty());
    // The timer is 2 seconds; the rest is room for a busy machine.
    ASSERT_TRUE(QTest::qWaitFor([this] { return keeper().hasRecord(); }, 3000));
    EXPECT_FALSE(keeper().pending());

    ASSERT_EQ(records().size(), 1U);
    const std::string path = keeper().recordPath();
    EXPECT_EQ(folder() + records()[0], path);
    const RecoveryRecord record = recordAt(path);
    EXPECT_EQ(record.mapBytes, document().toBytes());
    EXPECT_EQ(record.mapPath, map);
    EXPECT_TRUE(record.mapModified);
    EXPECT_FALSE(record.namesModified);

    // The same work again is not written again.
    const auto written = fs::last_write_time(path);
    app->session().undo();
    app->session().redo();
    EXPECT_TRUE(keeper().pending());
    EXPECT_TRUE(keeper().writeNow());
    EXPECT_EQ(fs::last_write_time(path), written);
    EXPECT_FALSE(keeper().pending());
}

TEST_F(RecoveryTest, TheRecordGoesOnceTheWorkIsNoLongerAtRisk) {
    // Undone back to the file.
    setTerrain(5, 6, 3);
    ASSERT_TRUE(keeper().writeNow());
    app->session().undo();
    EXPECT_TRUE(records().empty());
    EXPECT_FALSE(keeper().pending());

    // A save that leaves the names modified keeps them alone; saving them ends it.
    app->session().redo();
    changeBrush([](Brush& b) { b.nameIndex = 1; });
    pointAt(8, 8);
    type('N');
    ASSERT_TRUE(keeper().writeNow());
    test::ModalScript script;
    script.then([](QWidget* dialog) {
        dialog->findChild<QAbstractButton*>(QStringLiteral("okButton"))->click();
    });
    ASSERT_TRUE(app->fileSave());
    ASSERT_TRUE(keeper().writeNow());
    const RecoveryRecord namesOnly = recordAt(keeper().recordPath());
    EXPECT_FALSE(namesOnly.mapModified);
    EXPECT_TRUE(namesOnly.namesModified);
    ui.files.push_back(names().path);
    ASSERT_TRUE(app->saveNames());
    EXPECT_TRUE(records().empty());

    // Another map loaded.
    setTerrain(5, 6, 4);
    ASSERT_TRUE(keeper().writeNow());
    app->load(game.addMap("OTHER.MAP", 8), false);
    EXPECT_TRUE(records().empty());

    // No at the exit question: the user chose to discard; nothing is kept after.
    setTerrain(5, 6, 4);
    ASSERT_TRUE(keeper().writeNow());
    ui.answers = {Answer::No};
    EXPECT_TRUE(frame().close());
    EXPECT_TRUE(records().empty());
    EXPECT_FALSE(keeper().writeNow());
    EXPECT_TRUE(records().empty());
}

TEST_F(RecoveryTest, TheNextStartOffersTheWorkBack) {
    setTerrain(5, 6, 3);
    changeBrush([](Brush& b) { b.nameIndex = 1; });
    pointAt(8, 8);
    type('N');
    ASSERT_TRUE(keeper().writeNow());
    const std::string path = keeper().recordPath();
    const RecoveryRecord record = recordAt(path);

    // The run ends without the exit flow, as a crash ends it: Yes brings the work back.
    restart({Answer::Yes});
    EXPECT_THAT(ui.questions, ElementsAre(question(record, "the map " + map + " and its names")));
    EXPECT_EQ(cell(5, 6).terrain, 3);
    EXPECT_EQ(names().nameAt(8, 8), 1);
    EXPECT_TRUE(document().modified);
    EXPECT_TRUE(names().modified);
    EXPECT_FALSE(history().canUndo());
    EXPECT_EQ(frame().windowTitle(), QStringLiteral("MapOrv - DEMO.MAP"));
    // Nothing is written to the map's file; the record now protects this editor's work.
    EXPECT_EQ(game.temp.read("SCENARIO/DEMO.MAP"), original);
    EXPECT_EQ(keeper().recordPath(), path);
    EXPECT_TRUE(keeper().hasRecord());
    EXPECT_THAT(ui.messages, ::testing::IsEmpty());

    // No deletes the record; the command line's map loads as it is on disk.
    restart({Answer::No});
    EXPECT_EQ(ui.questions.size(), 1U);
    EXPECT_TRUE(records().empty());
    EXPECT_EQ(cell(5, 6).terrain, 0);
    EXPECT_FALSE(document().modified);
}

TEST_F(RecoveryTest, NewestFirstAndNeverTheRecordOfALiveEditor) {
    setTerrain(5, 6, 3);
    ASSERT_TRUE(keeper().writeNow());
    const std::string older = keeper().recordPath();
    // Its editor lives: no one may take it.
    EXPECT_TRUE(RecoveryFolder().claimAbandoned().empty());

    RecoveryRecord newer = recordAt(older);
    newer.time += 60;
    MapDocument changed;
    changed.fromBytes(newer.mapBytes);
    changed.cells[7][7].terrain = 4;
    newer.mapBytes = changed.toBytes();
    ASSERT_TRUE(writeRecoveryRecord(folder() + "1-1.rec", newer));

    restart({Answer::Yes});
    EXPECT_THAT(ui.questions, ElementsAre(question(newer, "the map " + map)));
    EXPECT_EQ(cell(7, 7).terrain, 4);
    EXPECT_EQ(cell(5, 6).terrain, 3);
    // The other record waits for a later start.
    const std::vector<AbandonedRecord> waiting = RecoveryFolder().claimAbandoned();
    ASSERT_EQ(waiting.size(), 1U);
    EXPECT_EQ(waiting[0].path, older);
}

TEST_F(RecoveryTest, RecordsThatCannotBeReadAreMovedAsideWithOneMessage) {
    QDir().mkpath(QString::fromStdString(folder()));
    const std::string torn = folder() + "9-9.rec";
    std::ofstream(torn) << "MAPORVRC\x01";
    restart();
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_THAT(ui.messageTexts(),
                ElementsAre("The recovery record\n" + torn +
                            "\ncannot be read: it is incomplete.\nIt has been moved aside to\n" +
                            torn + ".unreadable"));
    EXPECT_TRUE(records().empty());
    EXPECT_TRUE(fileExists(torn + ".unreadable"));
    EXPECT_EQ(document().path, map);

    // Twelve make one message too, listing them.
    for (int i = 10; i < 22; ++i) {
        std::ofstream(folder() + std::to_string(i) + "-1.rec") << "MAPORVRC";
    }
    restart();
    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_THAT(ui.messages[0].text, StartsWith("12 recovery records in\n" + folder() +
                                                "\ncannot be read:\n10-1.rec: it is incomplete\n"
                                                "11-1.rec: it is incomplete\n"));
    EXPECT_THAT(ui.messages[0].text,
                EndsWith("19-1.rec: it is incomplete\nand 2 more.\nThey have been moved aside, "
                         "\".unreadable\" added to their names."));
    EXPECT_TRUE(records().empty());
}

TEST_F(RecoveryTest, AReadOnlyFolderIsOfferedAndNoFolderKeepsNothing) {
    setTerrain(5, 6, 3);
    ASSERT_TRUE(keeper().writeNow());
    const std::string path = keeper().recordPath();
    const RecoveryRecord record = recordAt(path);
    app.reset();
    fs::permissions(folder(), fs::perms::owner_read | fs::perms::owner_exec);
    rootOverridesModes(false);
    restart({Answer::Yes});
    rootOverridesModes(true);
    fs::permissions(folder(), fs::perms::owner_all);
    EXPECT_THAT(ui.questions,
                ElementsAre(question(record, "the map " + map,
                                     "\nThis record cannot be removed: its folder is read-only.")));
    EXPECT_EQ(cell(5, 6).terrain, 3);
    EXPECT_EQ(records(), std::vector<std::string>{fileNameWithExtension(path)});

    // Without XDG_STATE_HOME and HOME nothing is kept, never at the root, said once.
    const QByteArray state = qgetenv("XDG_STATE_HOME");
    const QByteArray home = qgetenv("HOME");
    qunsetenv("XDG_STATE_HOME");
    qunsetenv("HOME");
    restart();
    qputenv("XDG_STATE_HOME", state);
    qputenv("HOME", home);
    setTerrain(5, 7, 3);
    EXPECT_FALSE(keeper().writeNow());
    EXPECT_FALSE(keeper().writeNow());
    EXPECT_THAT(ui.messageTexts(),
                ElementsAre(StartsWith("No recovery record of unsaved changes is kept: neither "
                                       "XDG_STATE_HOME nor HOME names a folder for it.")));
}

TEST_F(RecoveryTest, ARecordThatCannotBeWrittenIsToldOnceAndEditingGoesOn) {
    // Where the folder should be, a file.
    const std::string blocked = folder().substr(0, folder().size() - 1);
    QDir().mkpath(QString::fromStdString(folderPart(blocked)));
    std::ofstream(blocked) << "x";

    setTerrain(5, 6, 3);
    EXPECT_FALSE(keeper().writeNow());
    setTerrain(5, 7, 3);
    EXPECT_FALSE(keeper().writeNow());
    EXPECT_EQ(cell(5, 7).terrain, 3);
    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
    EXPECT_THAT(ui.messages[0].text, StartsWith("Unsaved changes cannot be kept for recovery:\n"));

    // The next change tries again.
    fs::remove(blocked);
    setTerrain(5, 8, 3);
    EXPECT_TRUE(keeper().writeNow());
    EXPECT_EQ(records().size(), 1U);
    EXPECT_EQ(ui.messages.size(), 1U);
}

TEST_F(RecoveryTest, TerminationSignalsWriteTheRecordAtOnceAndKeepIt) {
    for (const int signal : {SIGTERM, SIGHUP}) {
        restart();
        quitRequests = 0;
        setTerrain(5, 6, 3 + signal);
        ASSERT_FALSE(keeper().hasRecord());
        ::kill(::getpid(), signal);
        ASSERT_TRUE(QTest::qWaitFor([this] { return quitRequests == 1; }, 2000)) << signal;
        EXPECT_TRUE(app->terminated());
        ASSERT_EQ(records().size(), 1U);
        EXPECT_EQ(recordAt(keeper().recordPath()).mapBytes, document().toBytes());
        EXPECT_FALSE(keeper().pending());

        // A box the end of the run cut short answers No: that is no discard.
        const std::string path = keeper().recordPath();
        ui.answers = {Answer::No};
        frame().close();
        app.reset();
        EXPECT_TRUE(fileExists(path));
        fs::remove(path);
    }
}

} // namespace
} // namespace maporv
