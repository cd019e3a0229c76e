#include "editing/edithistory.h"
#include "editing/mapcheck.h"
#include "editing/roadevaluation.h"
#include "editing/roadsuggestion.h"
#include "editing/suggestionevaluation.h"
#include "mapdata/hexgrid.h"
#include "mapdata/mapnames.h"
#include "picture/mappicture.h"
#include "picturefiles.h"
#include "scripteduserinterface.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <set>

namespace maporv {
namespace {

HexCoord pickedHex(double x, double y) {
    HexGrid grid;
    grid.setConstants(kFullSizeGrid);
    const HexPosition hex = grid.pixelToHex(static_cast<int>(x), static_cast<int>(y));
    return {hex.row, hex.column};
}

TEST(RoadJoints, TheSharedEdgeLiesBetweenTheTwoHexesAsTheGridPicksThem) {
    // Column 3 is odd, 2 even: the even one sits half a row higher.
    const struct {
        HexJoint joint;
        HexCoord to;
        JointOutline outline;
    } cases[] = {
        {{{3, 3}, 1}, {3, 4}, {{120, 175}, {165, 150}, {135, 150}, {150, 175}}},
        {{{3, 3}, 2}, {4, 4}, {{120, 175}, {165, 200}, {150, 175}, {135, 200}}},
        {{{3, 3}, 3}, {4, 3}, {{120, 175}, {120, 225}, {135, 200}, {105, 200}}},
        {{{3, 2}, 1}, {2, 3}, {{75, 150}, {120, 125}, {90, 125}, {105, 150}}},
        {{{3, 2}, 2}, {3, 3}, {{75, 150}, {120, 175}, {105, 150}, {90, 175}}},
        {{{3, 2}, 3}, {4, 2}, {{75, 150}, {75, 200}, {90, 175}, {60, 175}}},
    };
    for (const auto& c : cases) {
        const JointOutline outline = jointOutline(c.joint);
        const auto same = [](PicturePoint a, PicturePoint b) { return a.x == b.x && a.y == b.y; };
        EXPECT_EQ(c.joint.to(), c.to);
        EXPECT_TRUE(same(outline.fromCentre, c.outline.fromCentre) &&
                    same(outline.toCentre, c.outline.toCentre) &&
                    same(outline.edgeStart, c.outline.edgeStart) &&
                    same(outline.edgeEnd, c.outline.edgeEnd))
            << c.joint.from.row << "," << c.joint.from.column << " " << c.joint.direction;
        // A step off the edge's middle toward either centre picks that hex.
        const double mx = (outline.edgeStart.x + outline.edgeEnd.x) / 2;
        const double my = (outline.edgeStart.y + outline.edgeEnd.y) / 2;
        EXPECT_EQ(
            pickedHex(mx + (outline.fromCentre.x - mx) / 5, my + (outline.fromCentre.y - my) / 5),
            c.joint.from);
        EXPECT_EQ(pickedHex(mx + (outline.toCentre.x - mx) / 5, my + (outline.toCentre.y - my) / 5),
                  c.to);
        // The same joint, named from the other side.
        EXPECT_EQ(jointBetween(c.to, oppositeDirection(c.joint.direction)), c.joint);
    }
}

std::unique_ptr<RoadJointGrid> jointsOfPicture(int width, int height) {
    const int rowLength = (3 * width + 3) / 4 * 4;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(rowLength * height), 120);
    auto grid = std::make_unique<RoadJointGrid>();
    grid->compute(PicturePixels{bytes.data(), width, height, rowLength});
    return grid;
}

// The index of a joint in grid.joints(), named from either side; -1 when it is not there.
int indexOf(const RoadJointGrid& grid, HexCoord hex, int direction) {
    const auto& joints = grid.joints();
    const auto found = std::find(joints.begin(), joints.end(), jointBetween(hex, direction));
    return found == joints.end() ? -1 : static_cast<int>(found - joints.begin());
}

TEST(RoadJoints, EveryPairOfNeighboursOfTheMapAreaIsOneJointAndNoneLeadsOut) {
    // 200 x 160 pixels: the grid reaches columns 0..5 and rows 0..3.
    const auto grid = jointsOfPicture(200, 160);
    EXPECT_EQ(grid->area(), (HexExtent{6, 4}));
    std::set<std::pair<int, int>> pairs;
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            for (int d = 0; d < kHexDirections; ++d) {
                const HexCoord to = neighbour({row, column}, d);
                const bool inside = grid->inArea({row, column}) && grid->inArea(to);
                const int index = indexOf(*grid, {row, column}, d);
                EXPECT_EQ(index >= 0, inside) << row << "," << column << " " << d;
                if (inside) {
                    EXPECT_EQ(index, indexOf(*grid, to, oppositeDirection(d)));
                    pairs.insert(
                        std::minmax(row * kMapColumns + column, to.row * kMapColumns + to.column));
                }
            }
        }
    }
    EXPECT_EQ(grid->joints().size(), pairs.size());
    // Column 0 lies half left of the picture: the south edge of its hexes runs from
    // inside the picture to 30 pixels left of it.
    const std::uint16_t* samples = grid->samples(indexOf(*grid, {1, 0}, 3));
    const RoadJointGrid::Span edge = RoadJointGrid::span(RoadJointGrid::kEdgeRow);
    const std::uint16_t* middle = samples + RoadJointGrid::kEdgeRow * RoadJointGrid::kAcross;
    EXPECT_NE(middle[edge.begin], RoadJointGrid::kOutsidePicture);
    EXPECT_EQ(middle[edge.end - 1], RoadJointGrid::kOutsidePicture);
    // No picture, no joints.
    EXPECT_TRUE(jointsOfPicture(0, 0)->joints().empty());
}

// A map of 10 x 6 hexes over a field, with roads painted as brown lines from centre to
// centre and a blue river across other joints.
class RoadMap : public testing::Test {
protected:
    static constexpr std::uint16_t kRoad = 0x1; // any direction bit; set per joint below

    RoadMap() {
        test::paintPicture(picture, 450, 300, [](int, int) { return test::Rgb{150, 180, 90}; });
        // A road from (1,1) east and south-east to (4,6), and one north from (4,3).
        for (const auto& [row, column, direction] :
             {std::tuple{1, 1, 2}, std::tuple{2, 2, 2}, std::tuple{2, 3, 2}, std::tuple{3, 4, 2},
              std::tuple{3, 5, 2}, std::tuple{4, 6, 3}, std::tuple{4, 3, 0}, std::tuple{3, 3, 0},
              std::tuple{2, 8, 3}, std::tuple{3, 8, 3}}) {
            road({row, column}, direction);
        }
        for (int column = 1; column < 9; ++column) {
            line(jointOutline({{0, column}, 3}).toCentre,
                 jointOutline({{0, column + 1}, 3}).toCentre, 2.5, {60, 110, 200});
        }
        history.clear();
    }

    void line(PicturePoint a, PicturePoint b, double radius, const test::Rgb& rgb) {
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                const double dx = b.x - a.x;
                const double dy = b.y - a.y;
                const double t =
                    std::clamp(((x - a.x) * dx + (y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
                if (std::hypot(x - a.x - t * dx, y - a.y - t * dy) <= radius) {
                    test::setPixel(picture, x, y, rgb);
                }
            }
        }
    }

    // A painted road with its bits on both sides.
    void road(HexCoord from, int direction) {
        const HexJoint joint = jointBetween(from, direction);
        const JointOutline outline = jointOutline(joint);
        line(outline.fromCentre, outline.toCentre, 2.0, {120, 60, 40});
        const HexCoord to = neighbour(from, direction);
        document.cells[from.row][from.column].roads |= directionBit(direction);
        document.cells[to.row][to.column].roads |= directionBit(oppositeDirection(direction));
        roads.insert(joint.from.row * 1000 + joint.from.column * 10 + joint.direction);
    }

    bool hasRoad(const HexJoint& joint) const {
        const HexCoord to = joint.to();
        return (document.cells[joint.from.row][joint.from.column].roads &
                directionBit(joint.direction)) != 0 &&
               (document.cells[to.row][to.column].roads &
                directionBit(oppositeDirection(joint.direction))) != 0;
    }

    test::ScriptedUserInterface ui;
    MapPicture picture{ui};
    MapDocument document;
    MapNames names;
    EditHistory history{document, names};
    std::set<int> roads;
};

TEST_F(RoadMap, SuggestedRoadsHaveBothSidesAndOtherHexesKeepTheirBits) {
    const MapDocument truth = document;
    // The block of columns 2..6, rows 1..4 is suggested; its old roads are wiped, but
    // (2,2) keeps bits that name no direction and (1,4) a stray road out of the map.
    HexMask targets{};
    for (int row = 1; row <= 4; ++row) {
        for (int column = 2; column <= 6; ++column) {
            targets[row][column] = 1;
            document.cells[row][column].roads = 0;
        }
    }
    document.cells[2][2].roads = 0x44;
    // (1,1) outside the block keeps its road into (2,2) [SE of an odd column]; (0,6)
    // gets a road into (1,6) that no painting shows: the block follows it.
    document.cells[0][6].roads |= directionBit(3);
    const MapDocument before = document;

    const SuggestRoadsOutcome outcome =
        suggestRoadsFromPicture(document, picture, history, targets);
    ASSERT_TRUE(outcome.enoughExamples);
    EXPECT_GT(outcome.roadsTaught, 0);
    for (const MapProblem& problem : checkMap(document, names, PictureSize{450, 300})) {
        EXPECT_TRUE(problem.kind != MapProblemKind::OneSidedRoad &&
                    problem.kind != MapProblemKind::RoadOffMap)
            << problem.text();
    }
    RoadJointGrid grid;
    grid.compute(picture);
    for (const HexJoint& joint : grid.joints()) {
        const bool inBlock = targets[joint.from.row][joint.from.column] != 0 &&
                             targets[joint.to().row][joint.to().column] != 0;
        if (inBlock) {
            EXPECT_EQ(hasRoad(joint), roads.count(joint.from.row * 1000 + joint.from.column * 10 +
                                                  joint.direction) > 0)
                << joint.from.row << "," << joint.from.column << " " << joint.direction;
        }
    }
    EXPECT_TRUE(hasRoad(jointBetween({1, 1}, 2)));
    EXPECT_TRUE(hasRoad(jointBetween({0, 6}, 3)));
    EXPECT_EQ(document.cells[2][2].roads & 0x44, 0x44);
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            if (targets[row][column] == 0) {
                EXPECT_EQ(document.cells[row][column], before.cells[row][column]);
            }
        }
    }
    EXPECT_EQ(history.undoName(), "Suggest Roads (" + std::to_string(outcome.changed) +
                                      (outcome.changed == 1 ? " joint)" : " joints)"));
    EXPECT_TRUE(document.modified);
    history.undo();
    EXPECT_EQ(document.cells, before.cells);
    EXPECT_NE(document.cells, truth.cells);
}

TEST_F(RoadMap, TheEvaluationHidesTheTerrainSplitsHexesAndScoresJointsBetweenThem) {
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            document.cells[row][column].terrain =
                static_cast<std::uint16_t>(column % 3 == 0 ? 3 : 0);
        }
    }
    RoadJointGrid grid;
    grid.compute(picture);
    const HexMask area = roadAreaMask(grid);
    const HexMask hidden = hiddenHexes(document, area, 50);
    // Half of each terrain's hexes of the area, the same every time, another with
    // another seed.
    std::array<int, 2> all{};
    std::array<int, 2> hid{};
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            const int kind = document.cells[row][column].terrain == 3 ? 1 : 0;
            all[kind] += area[row][column];
            hid[kind] += hidden[row][column];
            EXPECT_LE(hidden[row][column], area[row][column]);
        }
    }
    EXPECT_EQ(hid[0], all[0] / 2);
    EXPECT_EQ(hid[1], all[1] / 2);
    EXPECT_EQ(hiddenHexes(document, area, 50), hidden);
    EXPECT_NE(hiddenHexes(document, area, 50, kEvaluationSeed + 1), hidden);

    const RoadEvaluation evaluation = evaluateRoadSuggestion(document, grid, hidden);
    int between = 0;
    int roadsBetween = 0;
    for (const HexJoint& joint : grid.joints()) {
        if (hidden[joint.from.row][joint.from.column] &&
            hidden[joint.to().row][joint.to().column]) {
            ++between;
            roadsBetween += hasRoad(joint) ? 1 : 0;
        }
    }
    EXPECT_EQ(evaluation.joints, between);
    EXPECT_EQ(evaluation.found + evaluation.missed, roadsBetween);
    EXPECT_EQ(evaluation.mistakes.size(),
              static_cast<std::size_t>(evaluation.missed + evaluation.extra));
    EXPECT_GT(evaluation.f1(), 0.9);
    // The map it was given is left alone.
    EXPECT_FALSE(document.modified);
}

TEST_F(RoadMap, NothingToLearnFromChangesNothing) {
    HexMask everything{};
    for (auto& row : everything) {
        row.fill(1);
    }
    const MapDocument before = document;
    const SuggestRoadsOutcome outcome =
        suggestRoadsFromPicture(document, picture, history, everything);
    EXPECT_FALSE(outcome.enoughExamples);
    EXPECT_EQ(document.cells, before.cells);
    EXPECT_FALSE(history.canUndo());
}

} // namespace
} // namespace maporv
