#include "app/dialogs/terrainfilterdialog.h"
#include "dialogprobe.h"

#include <QCheckBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <gtest/gtest.h>

namespace maporv {
namespace {

using test::child;
using test::clickButton;

// The view's filter at start: City, Airfield, Ocean, River, Impassable River, Lake.
TerrainFilter startFilter() {
    TerrainFilter filter{};
    for (int code : {1, 2, 9, 10, 15, 17}) {
        filter[static_cast<std::size_t>(code)] = true;
    }
    return filter;
}

TerrainFilter shownBoxes(const QWidget& dialog) {
    TerrainFilter shown{};
    for (std::size_t code = 0; code < shown.size(); ++code) {
        const std::string name = "terrainCheck" + std::to_string(code);
        shown[code] = child<QCheckBox>(dialog, name.c_str())->isChecked();
    }
    return shown;
}

TerrainFilter allButClear() {
    TerrainFilter filter;
    filter.fill(true);
    filter[0] = false;
    return filter;
}

TEST(TerrainFilter, OpensWithTheViewsChoice) {
    TerrainFilterDialog dialog(startFilter(), true);
    EXPECT_EQ(shownBoxes(dialog), startFilter());
    auto* labels = child<QPushButton>(dialog, "labelsCheck");
    EXPECT_TRUE(labels->isCheckable());
    EXPECT_TRUE(labels->isChecked());
    EXPECT_EQ(labels->text().toStdString(), "Show Labels no icons");
    EXPECT_FALSE(child<QLabel>(dialog, "terrainColumn")->pixmap().isNull());
}

TEST(TerrainFilter, SetAllThenOkMarksEverythingButClear) {
    TerrainFilterDialog dialog(startFilter(), false);
    clickButton(dialog, "setAllButton");
    EXPECT_EQ(shownBoxes(dialog), allButClear());
    clickButton(dialog, "okButton");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.terrainFilter(), allButClear());
    EXPECT_FALSE(dialog.showLabels());
}

TEST(TerrainFilter, ResetAllThenOkMarksNothing) {
    TerrainFilterDialog dialog(startFilter(), true);
    clickButton(dialog, "resetAllButton");
    clickButton(dialog, "okButton");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.terrainFilter(), TerrainFilter{});
    EXPECT_TRUE(dialog.showLabels());
}

TEST(TerrainFilter, CancelKeepsThePreviousChoice) {
    TerrainFilterDialog dialog(startFilter(), true);
    clickButton(dialog, "setAllButton");
    clickButton(dialog, "labelsCheck");
    clickButton(dialog, "cancelButton");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.terrainFilter(), startFilter());
    EXPECT_TRUE(dialog.showLabels());
}

TEST(TerrainFilter, SingleBoxesAndTheLabelSwitchAreRead) {
    TerrainFilterDialog dialog(TerrainFilter{}, true);
    clickButton(dialog, "terrainCheck0");
    clickButton(dialog, "terrainCheck19");
    clickButton(dialog, "labelsCheck");
    clickButton(dialog, "okButton");
    TerrainFilter expected{};
    expected[0] = true;
    expected[19] = true;
    EXPECT_EQ(dialog.terrainFilter(), expected);
    EXPECT_FALSE(dialog.showLabels());
}

TEST(TerrainFilter, OkIsTheDefaultAndTheDialogSitsBelowTheAnchor) {
    TerrainFilterDialog dialog(startFilter(), true);
    EXPECT_TRUE(child<QPushButton>(dialog, "okButton")->isDefault());
    dialog.placeAt(QPoint(3, 22), true);
    EXPECT_EQ(dialog.pos(), QPoint(3, 70));
    dialog.placeAt(QPoint(0, 22), false);
    EXPECT_EQ(dialog.pos(), QPoint(0, 22));
}

} // namespace
} // namespace maporv
