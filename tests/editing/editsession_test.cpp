#include "editing/editsession.h"
#include "mapfiles.h"
#include "picturefiles.h"
#include "scripteduserinterface.h"
#include "tempfolder.h"

#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace maporv {
namespace {

// A session on a map with a 32 x 16 picture, its followers' notices recorded.
class Session : public testing::Test {
protected:
    Session() {
        temp.write("G/MAP/MAP0700.s16", test::s16Uniform(32, 16, 0xF800));
        map = temp.write("G/SCENARIO/DEMO.MAP", test::sampleMapFile(7));
        session.load(map);
        notices.clear();
    }

    test::TempFolder temp;
    test::ScriptedUserInterface ui;
    EditSession session{ui};
    std::string map;
    std::vector<SessionChanges> notices;
    EditSession::Following following =
        session.follow([this](SessionChanges what) { notices.push_back(what); });
};

// Each part's revision goes up by one exactly when a notice names it.
SessionRevisions raised(SessionRevisions before, SessionChanges what) {
    before.raise(what);
    return before;
}

TEST_F(Session, EachOperationSendsOneNoticeOfWhatItChanged) {
    const EditCursor hex{2, 3, true, 2, 3};
    const EditCursor first{0, 0, true, 0, 0};
    const HexCoord origin{0, 0};
    const HexCoord second{0, 1};
    const Brush forest{3, 0, 0};
    const std::pair<std::function<void()>, std::vector<SessionChanges>> cases[] = {
        {[&] {
             session.setBrush({9, 0x11, 0});
         },
         {kBrushChanged}},
        {[&] {
             session.setBrush({9, 0x11, 0});
         },
         {}},
        {[&] { session.edit(&MapEditor::setData, hex); }, {kMapChanged | kDocumentChanged}},
        {[&] { session.edit(&MapEditor::setData, hex); }, {}},
        {[&] { session.edit(&MapEditor::stepTerrainUp, hex); }, {kBrushChanged}},
        // The old value into the brush, the hex cleared.
        {[&] { session.edit(&MapEditor::clearTerrain, hex); },
         {kMapChanged | kDocumentChanged | kBrushChanged}},
        {[&] { session.undo(); }, {kMapChanged | kDocumentChanged}},
        {[&] { session.select(4, 4, true, false, false); }, {kSelectionChanged}},
        {[&] { session.select(-1, 4, true, false, false); }, {}},
        {[&] { session.clearSelection(); }, {kSelectionChanged}},
        // A stroke tells of every move that changed something and is one step from its
        // first change on; any other operation ends it first. The picture reaches (0,0)
        // and (0,1).
        {[&] { session.beginPaintStroke(first); }, {kMapChanged | kDocumentChanged}},
        {[&] { session.strokeTo(second); }, {kMapChanged | kDocumentChanged}},
        {[&] { session.strokeTo(second); }, {}},
        {[&] {
             session.endStroke();
             EXPECT_EQ(session.history().undoName(), "Set Data (2 hexes)");
         },
         {}},
        {[&] { session.beginRoadStroke(origin, false); }, {}},
        {[&] { session.strokeTo(second); }, {kMapChanged | kDocumentChanged}},
        {[&] { session.setBrush(forest); }, {kBrushChanged}},
        {[&] {
             session.endStroke();
             EXPECT_EQ(session.history().undoName(), "Draw Road (2 hexes)");
         },
         {}},
        {[&] { session.beginSelectStroke(origin, true, false, false); }, {kSelectionChanged}},
        {[&] { session.strokeTo(second); }, {kSelectionChanged}},
        {[&] { session.selectRegion(hex); }, {}},
        {[&] { session.selectRegion(first); }, {kSelectionChanged}},
        {[&] { session.fillRegion(first); }, {kMapChanged | kDocumentChanged}},
        {[&] { session.rebuildInfoText(); }, {kDocumentChanged}},
        {[&] { session.load(map); },
         {kMapChanged | kNamesChanged | kSelectionChanged | kPictureChanged | kDocumentChanged |
          kMapReplaced}},
        {[&] { session.load(temp.path() + "G/SCENARIO/NONE.MAP"); }, {}},
    };
    const SessionRevisions start = session.revisions();
    for (const auto& [operation, expected] : cases) {
        notices.clear();
        const SessionRevisions before = session.revisions();
        operation();
        EXPECT_EQ(notices, expected);
        EXPECT_EQ(session.revisions(), raised(before, expected.empty() ? 0u : expected[0]));
    }
    // The notices of the table, counted by hand.
    EXPECT_EQ(session.revisions(), (SessionRevisions{.map = start.map + 8,
                                                     .names = start.names + 1,
                                                     .brush = start.brush + 4,
                                                     .selection = start.selection + 6,
                                                     .picture = start.picture + 1,
                                                     .document = start.document + 9}));
    EXPECT_EQ(session.history().undoName(), "");
}

TEST_F(Session, AFillOfMoreThan600HexesAsksFirst) {
    // Without a picture the area is the whole grid: 1800 Clear hexes.
    EditSession whole(ui);
    whole.change(kMapChanged, [](MapWorkspace& w) { w.document.loaded = true; });
    whole.setBrush({3, 0x11, 0});
    const EditCursor corner{0, 0, true, 0, 0};
    ui.answers = {Answer::No, Answer::Yes};
    EXPECT_EQ(whole.fillRegion(corner), 0);
    EXPECT_EQ(ui.questions, (std::vector<std::string>{"Fill 1,800 hexes with Forest?"}));
    EXPECT_EQ(whole.fillRegion(corner), 1800);
    EXPECT_EQ(whole.history().undoName(), "Fill Region (1800 hexes)");
    EXPECT_EQ(whole.workspace().document.cells[39][44], (HexCell{3, 0x11, 0, 0, 0}));
    EXPECT_EQ(whole.selectRegion(corner), 1800);
}

TEST_F(Session, FollowersComeAndGoEvenWhileTheyAreTold) {
    int told = 0;
    std::optional<EditSession::Following> leaving;
    leaving = session.follow([&](SessionChanges) {
        ++told;
        leaving.reset();
    });
    session.setBrush({1, 0, 0});
    session.setBrush({2, 0, 0});
    EXPECT_EQ(told, 1);
    EXPECT_EQ(notices.size(), 2u);
    following = {};
    session.setBrush({3, 0, 0});
    EXPECT_EQ(notices.size(), 2u);
}

TEST_F(Session, APreviewBorrowsTheBufferAndTheMapsPictureComesBack) {
    const MapPicture& own = session.workspace().picture;
    const std::uint64_t pictureBefore = session.revisions().picture;
    {
        const EditSession::PictureLease outer = session.lendPictureBuffer();
        {
            const EditSession::PictureLease lease = session.lendPictureBuffer();
            MapPicture preview(ui);
            ASSERT_TRUE(preview.load(temp.write("P/other.bmp", test::uniformBmp24(3, 3))));
            // Its pixels are not in the buffer: the map's picture says so and keeps them.
            EXPECT_FALSE(own.valid);
            EXPECT_FALSE(own.saveBmp(temp.path() + "own.bmp"));
            EXPECT_FALSE(own.writeS16Tiles(temp.path() + "MAP07"));
        }
        // The outer lease still holds it.
        EXPECT_FALSE(own.valid);
        EXPECT_TRUE(notices.empty());
    }
    ASSERT_TRUE(own.valid);
    EXPECT_EQ(test::pixelRgb(own, 31, 15), (test::Rgb{248, 0, 0}));
    EXPECT_EQ(notices, std::vector<SessionChanges>{kPictureChanged});
    EXPECT_EQ(session.revisions().picture, pictureBefore + 1);

    // A map loaded while the buffer is lent keeps its own picture.
    notices.clear();
    {
        const EditSession::PictureLease lease = session.lendPictureBuffer();
        MapPicture preview(ui);
        preview.load(temp.path() + "P/other.bmp");
        ASSERT_TRUE(session.load(temp.path() + "P/other.bmp").pictureLoaded);
    }
    EXPECT_EQ(own.width, 3);
    EXPECT_EQ(notices.size(), 1u);
}

} // namespace
} // namespace maporv
