#include "editing/brush.h"
#include "editing/edithistory.h"
#include "editing/hexfeatures.h"
#include "editing/mapeditor.h"
#include "editing/selection.h"
#include "editing/terrainclassifier.h"
#include "editing/terrainsuggestion.h"
#include "mapdata/hexgrid.h"
#include "mapdata/mapnames.h"
#include "picture/mappicture.h"
#include "picturefiles.h"
#include "scripteduserinterface.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace maporv {
namespace {

struct Colour {
    std::uint8_t red, green, blue;
};

// A 24-bit bottom-up picture in memory.
class TestPicture {
public:
    TestPicture(int width, int height, const std::function<Colour(int, int)>& paint)
        : width_(width), height_(height), rowLength_((3 * width + 3) / 4 * 4),
          bytes_(static_cast<std::size_t>(rowLength_ * height)) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const Colour c = paint(x, y);
                std::uint8_t* p =
                    &bytes_[static_cast<std::size_t>((height - 1 - y) * rowLength_ + 3 * x)];
                p[0] = c.blue;
                p[1] = c.green;
                p[2] = c.red;
            }
        }
    }
    std::unique_ptr<HexFeatureGrid> features() const {
        auto grid = std::make_unique<HexFeatureGrid>();
        grid->compute(PicturePixels{bytes_.data(), width_, height_, rowLength_});
        return grid;
    }

private:
    int width_, height_, rowLength_;
    std::vector<std::uint8_t> bytes_;
};

constexpr Colour kRed{255, 0, 0};
constexpr int kRedClass = kColourClassFirst + 3; // hues from 0 to 60 degrees

TEST(HexFeatures, EachHexHoldsThePixelsItsPickingGivesAndNothingOutsideThePicture) {
    // 200 x 160: columns 0..5 and rows 0..3 are the grid; column 5 and the bottom
    // rows lie partly outside the picture.
    const TestPicture picture(200, 160, [](int, int) { return kRed; });
    const auto features = picture.features();
    HexGrid grid;
    grid.setConstants(kFullSizeGrid);
    grid.setMapSize(200, 160);
    MapDocument::Grid<int> picked{};
    for (int y = 0; y < 160; ++y) {
        for (int x = 0; x < 200; ++x) {
            const HexPosition hex = grid.pixelToHex(x, y);
            if (hex.row <= grid.maxRow && hex.column <= grid.maxColumn) {
                ++picked[hex.row][hex.column];
            }
        }
    }
    int mapArea = 0;
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            EXPECT_EQ(features->pixelCount(row, column), picked[row][column])
                << row << "," << column;
            EXPECT_EQ(features->inMapArea(row, column), picked[row][column] > 0);
            mapArea += picked[row][column] > 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(features->mapAreaSize(), mapArea);
    EXPECT_LT(features->pixelCount(1, 5), features->pixelCount(1, 2));
    EXPECT_GT(features->pixelCount(1, 5), 0);

    // A flat hex is its colour (red is L 53.2, a 80.1, b 67.2 in CIELAB), with no
    // spread and no edge; the part of a hex inside the picture reads the same.
    for (const auto& [row, column] : {std::pair{1, 2}, std::pair{1, 5}, std::pair{0, 0}}) {
        const HexFeatures& f = features->at(row, column);
        EXPECT_NEAR(f[kMeanLightness], 53.2f, 0.6f);
        EXPECT_NEAR(f[kMeanGreenRed], 80.1f, 0.6f);
        EXPECT_NEAR(f[kMeanBlueYellow], 67.2f, 0.6f);
        for (int i : {kSpreadLightness, kSpreadGreenRed, kSpreadBlueYellow, kEdgeDensity}) {
            EXPECT_EQ(f[i], 0.0f);
        }
        EXPECT_EQ(f[kRedClass], 1.0f);
    }
}

TEST(HexFeatures, ACheckerboardIsAllEdges) {
    const TestPicture picture(200, 160, [](int x, int y) {
        return (x + y) % 2 == 0 ? Colour{0, 0, 0} : Colour{255, 255, 255};
    });
    const auto features = picture.features();
    const HexFeatures& f = features->at(1, 2);
    EXPECT_EQ(f[kEdgeDensity], 1.0f);
    EXPECT_NEAR(f[kEdgeStrength], 100.0f, 0.5f);
    EXPECT_NEAR(f[kMeanLightness], 50.0f, 1.0f);
    EXPECT_NEAR(f[kSpreadLightness], 50.0f, 1.0f);
    EXPECT_NEAR(f[kColourClassFirst] + f[kColourClassFirst + 2], 1.0f, 1e-6f); // dark and light
}

// Samples around a point: the first feature near centre, the others in a small
// pattern that every cluster shares.
std::vector<TerrainSample> cluster(int terrain, float centre, int count) {
    std::vector<TerrainSample> samples;
    for (int i = 0; i < count; ++i) {
        TerrainSample sample;
        sample.terrain = terrain;
        for (std::size_t f = 1; f < sample.features.size(); ++f) {
            sample.features[f] = static_cast<float>((i + static_cast<int>(f)) % 3) * 0.2f;
        }
        sample.features[0] = centre + static_cast<float>(i % 4);
        samples.push_back(sample);
    }
    return samples;
}

// A hex that looks like the pattern, with the first feature at first.
HexFeatures at(float first) {
    HexFeatures features = cluster(0, 0.0f, 1)[0].features;
    features[0] = first;
    return features;
}

TEST(TerrainClassifier, NamesWellSeparatedTerrainsAndDoubtsTheRest) {
    std::vector<TerrainSample> samples = cluster(9, 20.0f, 12);
    for (const TerrainSample& forest : cluster(3, 70.0f, 12)) {
        samples.push_back(forest);
    }
    samples.push_back({at(45.0f), 25}); // no terrain code: ignored
    TerrainClassifier classifier;
    classifier.train(samples);
    EXPECT_EQ(classifier.sampleCount(), 24u);
    EXPECT_EQ(classifier.terrainCount(), 2);

    const TerrainGuess sea = classifier.classify(at(20.5f));
    EXPECT_EQ(sea.terrain, 9);
    EXPECT_GT(sea.confidence, 0.9f);
    EXPECT_EQ(classifier.suggest(at(70.5f)), 3);
    // Unlike either terrain: no suggestion.
    EXPECT_EQ(classifier.suggest(at(400.0f)), -1);
    EXPECT_LT(classifier.classify(at(400.0f)).confidence, 0.1f);

    // The same answers from the same samples, to the last bit.
    TerrainClassifier again;
    again.train(samples);
    for (float first : {0.0f, 20.5f, 44.5f, 45.5f, 70.5f}) {
        const TerrainGuess a = classifier.classify(at(first));
        const TerrainGuess b = again.classify(at(first));
        EXPECT_EQ(a.terrain, b.terrain);
        EXPECT_EQ(a.confidence, b.confidence);
    }
}

TEST(TerrainClassifier, ATerrainTaughtByAFewHexesNamesTheHexesNearestToIt) {
    // Fields and woods, many hexes each, and towns taught by two (one) hexes that
    // differ from each other as the field under a town differs. A town unlike both
    // taught ones, yet nearer to them than to anything else, is a town; a hex unlike
    // everything stays unnamed.
    for (int taught : {2, 1}) {
        std::vector<TerrainSample> samples = cluster(0, 20.0f, 40);
        for (const TerrainSample& forest : cluster(3, 70.0f, 40)) {
            samples.push_back(forest);
        }
        for (const TerrainSample& town : cluster(1, 150.0f, taught)) {
            samples.push_back(town);
        }
        TerrainClassifier classifier;
        classifier.train(samples);
        for (float town : {180.0f, 200.0f}) {
            EXPECT_EQ(classifier.suggest(at(town)), 1) << taught << " " << town;
        }
        EXPECT_EQ(classifier.suggest(at(20.5f)), 0);
        EXPECT_EQ(classifier.suggest(at(400.0f)), -1);
    }
}

TEST(TerrainClassifier, OverlappingTerrainsAreLeftUndecided) {
    // Every sample is both Hill and Mountain: no hex is more one than the other.
    std::vector<TerrainSample> samples;
    for (TerrainSample sample : cluster(5, 40.0f, 10)) {
        samples.push_back(sample);
        sample.terrain = 6;
        samples.push_back(sample);
    }
    TerrainClassifier classifier;
    classifier.train(samples);
    const TerrainGuess guess = classifier.classify(at(40.0f));
    EXPECT_EQ(guess.terrain, 5); // on a tie the lower code
    EXPECT_LT(guess.confidence, 0.5f);
    EXPECT_GT(guess.confidence, 0.4f);
    EXPECT_EQ(classifier.suggest(at(40.0f)), -1);
}

TEST(TerrainClassifier, ATownInDimLightTaughtByTwoInBrightLightIsATown) {
    // Fields with towns on single hexes (paving and red roofs around the centre), under
    // a light that falls from 1.4 at the left edge to 0.45 at the right. Every field
    // and the two towns in the bright west teach; the towns and fields in the dim east
    // are asked.
    const std::vector<HexCoord> taughtTowns{{2, 3}, {3, 5}};
    const std::vector<HexCoord> dimTowns{{2, 16}, {3, 18}};
    const std::vector<HexCoord> dimFields{{2, 17}, {1, 19}};
    HexGrid grid;
    grid.setConstants(kFullSizeGrid);
    const auto townAt = [&](int x, int y) {
        for (const auto* towns : {&taughtTowns, &dimTowns}) {
            for (const HexCoord& town : *towns) {
                const HexPosition box = grid.hexToPixel(town.row, town.column);
                const int dx = x - box.mapX - kFullSizeGrid.hexWidth / 2;
                const int dy = y - box.mapY - kFullSizeGrid.hexHeight / 2;
                if (dx * dx + dy * dy <= 196) {
                    return (x / 4 + y / 3) % 3 == 0 ? 2 : 1; // roof : paving
                }
            }
        }
        return 0;
    };
    constexpr int kWidth = 900;
    const TestPicture picture(kWidth, 260, [&](int x, int y) {
        const int grain = (x * 7 + y * 13) % 9 - 4;
        const int town = townAt(x, y);
        const int r = town == 2 ? 176 : town == 1 ? 184 : 160 + grain;
        const int g = town == 2 ? 74 : town == 1 ? 178 : 186 + grain;
        const int b = town == 2 ? 54 : town == 1 ? 166 : 100 + grain;
        const double light = 1.4 - 0.95 * x / kWidth;
        const auto lit = [&](int c) {
            return static_cast<std::uint8_t>(std::min(255.0, c * light));
        };
        return Colour{lit(r), lit(g), lit(b)};
    });
    const auto features = picture.features();
    const auto isOneOf = [](const std::vector<HexCoord>& hexes, int row, int column) {
        return std::any_of(hexes.begin(), hexes.end(),
                           [&](const HexCoord& h) { return h.row == row && h.column == column; });
    };
    std::vector<TerrainSample> samples;
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            if (features->inMapArea(row, column) && !isOneOf(dimTowns, row, column) &&
                !isOneOf(dimFields, row, column)) {
                samples.push_back(
                    {features->at(row, column), isOneOf(taughtTowns, row, column) ? 1 : 0});
            }
        }
    }
    TerrainClassifier classifier;
    classifier.train(samples);
    for (const HexCoord& town : dimTowns) {
        EXPECT_EQ(classifier.suggest(features->at(town.row, town.column)), 1)
            << town.row << "," << town.column;
    }
    for (const HexCoord& field : dimFields) {
        EXPECT_EQ(classifier.suggest(features->at(field.row, field.column)), 0)
            << field.row << "," << field.column;
    }
}
// A map in three bands of 150 pixels: sea, woods, fields. Columns 0..3 lie in the sea,
// 5 and 6 in the woods, 8..10 in the fields; 4 and 7 straddle two bands, and column
// 11 starts where the picture ends.
class SuggestTerrainStep : public testing::Test {
protected:
    SuggestTerrainStep() {
        test::paintPicture(picture, 450, 200, [](int x, int) {
            return x < 150   ? test::Rgb{30, 70, 170}
                   : x < 300 ? test::Rgb{30, 90, 40}
                             : test::Rgb{160, 190, 90};
        });
        for (int row = 0; row < kMapRows; ++row) {
            for (int column = 0; column < kMapColumns; ++column) {
                document.cells[row][column] = {0, 0x12, 1, 2, 3};
                if (column <= 3) {
                    document.cells[row][column].terrain = 9;
                } else if (column == 5 || column == 6) {
                    document.cells[row][column].terrain = 3;
                }
            }
        }
        history.clear();
    }

    test::ScriptedUserInterface ui;
    MapPicture picture{ui};
    MapDocument document;
    MapNames names;
    EditHistory history{document, names};
};

TEST_F(SuggestTerrainStep, FillsTheClearHexesAsOneUndoableStep) {
    document.cells[2][2].terrain = 0;
    document.cells[3][5].terrain = 0;
    document.cells[6][2].terrain = 0; // below the picture
    const MapDocument::Grid<HexCell> before = document.cells;

    // No selection: the Clear hexes, learning from Ocean and Forest. The fields look
    // like neither and stay Clear; nothing beyond the picture changes.
    const SuggestTerrainOutcome outcome = suggestTerrainFromPicture(document, picture, history);
    EXPECT_TRUE(outcome.enoughTerrains);
    EXPECT_EQ(document.cells[2][2], (HexCell{9, 0x12, 1, 2, 3}));
    EXPECT_EQ(document.cells[3][5].terrain, 3);
    for (int row = 0; row <= 4; ++row) {
        for (int column : {8, 9, 10, 11, 12}) {
            EXPECT_EQ(document.cells[row][column].terrain, 0) << row << "," << column;
        }
    }
    EXPECT_EQ(document.cells[6][2].terrain, 0);
    // The Clear hexes of columns 4, 7, 8, 9 and 10 (rows 0..4, the odd columns' row 4
    // lies below the picture) and the two unlabelled ones.
    EXPECT_EQ(outcome.set + outcome.left, 5 + 4 + 5 + 4 + 5 + 2);
    EXPECT_GE(outcome.left, 5 + 4 + 5);
    ASSERT_TRUE(history.canUndo());
    int changed = 0;
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            changed += document.cells[row][column] != before[row][column] ? 1 : 0;
        }
    }
    EXPECT_EQ(history.undoName(), EditStep::countedName("Suggest Terrain", changed));
    EXPECT_TRUE(document.modified);

    history.undo();
    EXPECT_EQ(document.cells, before);
    EXPECT_FALSE(document.modified);
}

TEST_F(SuggestTerrainStep, OnANewMapTheHexesSetByHandTeachWhateverTheirTerrain) {
    for (auto& row : document.cells) {
        row.fill(HexCell{});
    }
    document.loaded = true;
    history.clear();
    Brush brush;
    Selection selection{document};
    MapEditor editor{document, names, brush, selection, history, ui};
    const auto setByHand = [&](int terrain, int row, int column) {
        brush.terrain = terrain;
        editor.setTerrain({row, column, true, row, column});
    };
    setByHand(9, 1, 1);
    setByHand(9, 3, 2);
    // Fields are Clear already: saying so changes nothing, yet teaches Clear.
    setByHand(0, 1, 9);
    setByHand(0, 2, 10);
    // A Forest set by hand and taken back teaches nothing.
    setByHand(3, 3, 9);
    history.undo();

    const SuggestTerrainOutcome outcome = suggestTerrainFromPicture(document, picture, history);
    ASSERT_TRUE(outcome.enoughTerrains);
    HexFeatureGrid features;
    features.compute(picture);
    // Every hex of the map area but the four set by hand is suggested.
    EXPECT_EQ(outcome.set + outcome.left, features.mapAreaSize() - 4);
    for (int row = 0; row <= 3; ++row) {
        for (int column = 0; column <= 10; ++column) {
            const int terrain = document.cells[row][column].terrain;
            EXPECT_NE(terrain, 3) << row << "," << column;
            if (column <= 3) {
                EXPECT_EQ(terrain, 9) << row << "," << column;
            } else if (column >= 8) {
                EXPECT_EQ(terrain, 0) << row << "," << column;
            }
        }
    }
}

} // namespace
} // namespace maporv
