#include "app/forms/dialogunits.h"
#include "app/toolwindows/setdatadialog.h"
#include "dialogprobe.h"
#include "editing/editsession.h"
#include "scripteduserinterface.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace maporv {
namespace {

using test::child;
using test::clickButton;
using test::waitFor;
using ::testing::ElementsAre;

std::vector<std::string> comboLines(const QWidget& dialog, const char* name) {
    std::vector<std::string> texts;
    const auto* combo = child<QComboBox>(dialog, name);
    for (int row = 0; row < combo->count(); ++row) {
        texts.push_back(combo->itemText(row).toStdString());
    }
    return texts;
}

// The user picks a line of a closed list.
void choose(const QWidget& dialog, const char* name, int row) {
    auto* combo = child<QComboBox>(dialog, name);
    combo->setCurrentIndex(row);
    emit combo->activated(row);
}

const char* const kRoadBoxes[] = {"roadNCheck", "roadNECheck", "roadSECheck",
                                  "roadSCheck", "roadSWCheck", "roadNWCheck"};

// The editing session around the tool window, which deletes itself.
class SetData : public testing::Test {
protected:
    ~SetData() override { delete dialog.data(); }

    SetDataDialog& open() {
        session.change(kDocumentChanged, [](MapWorkspace& w) { w.document.loaded = true; });
        dialog = new SetDataDialog(session);
        return *dialog;
    }

    void addNames(std::initializer_list<const char*> texts) {
        session.change(kNamesChanged, [&](MapWorkspace& w) {
            for (const char* text : texts) {
                w.names.addName(text);
            }
        });
    }

    std::vector<bool> roadBoxes() const {
        std::vector<bool> checked;
        for (const char* name : kRoadBoxes) {
            checked.push_back(child<QCheckBox>(*dialog, name)->isChecked());
        }
        return checked;
    }

    std::string roadText() const {
        return child<QLineEdit>(*dialog, "roadEdit")->text().toStdString();
    }

    void typeRoads(const char* text) {
        auto* edit = child<QLineEdit>(*dialog, "roadEdit");
        edit->setText(QString::fromLatin1(text));
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(edit, &out);
    }

    test::ScriptedUserInterface ui;
    EditSession session{ui};
    const MapNames& names = session.workspace().names;
    const Brush& brush = session.brush();
    QPointer<SetDataDialog> dialog;
};

TEST_F(SetData, TerrainLinesCarryTheCodeInTwoColumns) {
    SetDataDialog& d = open();
    const std::vector<std::string> terrains = comboLines(d, "terrainCombo");
    ASSERT_EQ(terrains.size(), 20u);
    EXPECT_EQ(terrains[0], " 0 Clear");
    EXPECT_EQ(terrains[15], "15 Impassable River");
    EXPECT_EQ(terrains[19], "19 Lake region");
}

TEST_F(SetData, WithoutNamesOnlyNoNamedIsListed) {
    SetDataDialog& d = open();
    EXPECT_THAT(comboLines(d, "nameCombo"), ElementsAre("[0 ]  No named"));
    EXPECT_EQ(d.nameIndex(), 0);
}

TEST_F(SetData, OpeningShowsTheBrush) {
    addNames({"Alpha", "Beta", "X"});
    session.setBrush({9, 0x45, 2}); // roads: N and the two directions this grid has not
    SetDataDialog& d = open();
    EXPECT_EQ(d.terrainIndex(), 9);
    EXPECT_THAT(roadBoxes(), ElementsAre(true, false, false, false, false, false));
    EXPECT_EQ(roadText(), "69"); // all the bits
    EXPECT_THAT(comboLines(d, "nameCombo"),
                ElementsAre("[0 ]  No named", "[1 ]  Alpha", "[2 ]  Beta", "[3 ]  X"));
    EXPECT_EQ(d.nameIndex(), 2);

    // A box builds the word from the six directions alone.
    clickButton(d, "roadNECheck");
    EXPECT_EQ(brush.roads, 0x03);
    EXPECT_EQ(roadText(), "3");
}

TEST_F(SetData, ALeftRoadNumberKeepsTheSixDirections) {
    SetDataDialog& d = open();
    typeRoads("255");
    EXPECT_THAT(roadBoxes(), ElementsAre(true, true, true, true, true, true));
    EXPECT_EQ(roadText(), "187");
    EXPECT_EQ(brush.roads, 187);
    EXPECT_EQ(d.roadValue(), 187);

    typeRoads("4");
    EXPECT_THAT(roadBoxes(), ElementsAre(false, false, false, false, false, false));
    EXPECT_EQ(roadText(), "0");
    EXPECT_EQ(brush.roads, 0);
}

TEST_F(SetData, RoadBoxesBuildTheWord) {
    open();
    clickButton(*dialog, "roadNCheck");
    clickButton(*dialog, "roadSECheck");
    EXPECT_EQ(roadText(), "9");
    EXPECT_EQ(brush.roads, 9);
    clickButton(*dialog, "roadNWCheck");
    EXPECT_EQ(brush.roads, 0x89);
    clickButton(*dialog, "roadNCheck");
    EXPECT_EQ(roadText(), "136");
    EXPECT_EQ(brush.roads, 0x88);
}

TEST_F(SetData, ChosenLinesGoIntoTheBrush) {
    addNames({"Alpha", "Beta"});
    SetDataDialog& d = open();
    choose(d, "terrainCombo", 3);
    EXPECT_EQ(brush.terrain, 3);
    choose(d, "nameCombo", 2);
    EXPECT_EQ(brush.nameIndex, 2);
    EXPECT_EQ(brush.terrain, 3);
}

TEST_F(SetData, PlusAndMinusStepTheTerrainAroundTheList) {
    session.setBrush({19, 0, 0});
    SetDataDialog& d = open();
    d.stepTerrainUp();
    EXPECT_EQ(d.terrainIndex(), 0);
    EXPECT_EQ(brush.terrain, 0);
    d.stepTerrainDown();
    EXPECT_EQ(d.terrainIndex(), 19);
    EXPECT_EQ(brush.terrain, 19);
    d.stepTerrainDown();
    EXPECT_EQ(brush.terrain, 18);
}

TEST_F(SetData, ACodeWithoutANameSelectsNothingAndStepsToTheList) {
    session.setBrush({25, 0, 0});
    SetDataDialog& d = open();
    EXPECT_EQ(d.terrainIndex(), -1);
    // Picking a name does not turn the unnamed code into "no line".
    choose(d, "nameCombo", 0);
    EXPECT_EQ(brush.terrain, 25);
    d.stepTerrainUp();
    EXPECT_EQ(brush.terrain, 0);
}

TEST_F(SetData, AddListsTheNewNameShortUntilTheNextRefresh) {
    addNames({"Alpha", "Beta"});
    std::vector<bool> pauses;
    SetDataDialog& d = open();
    d.setPauseHook([&](bool on) { pauses.push_back(on); });
    ui.texts.push_back(std::string("X"));

    clickButton(d, "addButton");
    ASSERT_EQ(ui.prompts.size(), 1u);
    EXPECT_EQ(ui.prompts[0].title, "Enter new Terrain name");
    EXPECT_THAT(pauses, ElementsAre(true, false));
    EXPECT_THAT(comboLines(d, "nameCombo"),
                ElementsAre("[0 ]  No named", "[1 ]  Alpha", "[2 ]  Beta", "[3]  X"));
    EXPECT_EQ(brush.nameIndex, 0);
    // One undoable step that marks the names modified.
    EXPECT_TRUE(names.modified);
    EXPECT_TRUE(session.history().canUndo());

    d.refresh(false);
    EXPECT_EQ(comboLines(d, "nameCombo").back(), "[3 ]  X");

    // A name already in the list adds no line.
    ui.texts.push_back(std::string("Beta"));
    clickButton(d, "addButton");
    EXPECT_EQ(comboLines(d, "nameCombo").size(), 4u);
}

TEST_F(SetData, EditRenamesTheSelectedNameAsAStep) {
    addNames({"Alpha", "Beta"});
    SetDataDialog& d = open();
    choose(d, "nameCombo", 2);
    ui.texts.push_back(std::string("Bee"));

    clickButton(d, "editButton");
    ASSERT_EQ(ui.prompts.size(), 1u);
    EXPECT_EQ(ui.prompts[0].title, "Edit map name");
    EXPECT_EQ(ui.prompts[0].initial, "Beta");
    EXPECT_EQ(comboLines(d, "nameCombo")[2], "[2 ]  Bee");
    EXPECT_EQ(names.nameText(2), "Bee");

    ASSERT_TRUE(session.undo());
    EXPECT_EQ(names.nameText(2), "Beta");
}

TEST_F(SetData, EditWithoutANameSaysSo) {
    addNames({"Alpha"});
    SetDataDialog& d = open();
    clickButton(d, "editButton");
    EXPECT_TRUE(ui.prompts.empty());
    EXPECT_EQ(ui.lastMessage(), "No name to edit !");
}

TEST_F(SetData, EveryChangeGivesTheFocusBackToTheMainWindow) {
    // The main window: the view that takes the keys, beside a field that had the focus.
    QWidget window;
    QLineEdit other(&window);
    QWidget view(&window);
    view.setFocusPolicy(Qt::StrongFocus);
    window.show();
    other.setFocus();
    SetDataDialog& d = open();
    d.setFocusTarget(&view);
    d.show();
    auto* combo = child<QComboBox>(d, "terrainCombo");
    d.activateWindow();
    combo->setFocus();
    ASSERT_TRUE(waitFor([&] { return combo->hasFocus(); }));

    choose(d, "terrainCombo", 4);
    EXPECT_TRUE(waitFor([&] { return view.hasFocus(); }));
    EXPECT_EQ(brush.terrain, 4);

    // Taking the number field hands it back too.
    other.setFocus();
    auto* edit = child<QLineEdit>(d, "roadEdit");
    d.activateWindow();
    edit->setFocus();
    ASSERT_TRUE(waitFor([&] { return edit->hasFocus(); }));
    edit->setText(QStringLiteral("16"));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(edit, &enter);
    EXPECT_TRUE(waitFor([&] { return view.hasFocus(); }));
    EXPECT_EQ(brush.roads, 16);
}

TEST_F(SetData, CloseAndEscapeDeleteTheWindowAndTellTheOwner) {
    for (const bool byEscape : {false, true}) {
        int dismissed = 0;
        SetDataDialog& d = open();
        QObject::connect(&d, &SetDataDialog::dismissed, [&] { ++dismissed; });
        d.show();
        if (byEscape) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(&d, &escape);
        } else {
            clickButton(d, "closeButton");
        }
        EXPECT_EQ(dismissed, 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(dialog.isNull());
    }
}

TEST_F(SetData, AModelessToolWindowAtTheTopRightOfTheDisplayArea) {
    SetDataDialog& d = open();
    EXPECT_FALSE(d.isModal());
    EXPECT_TRUE(d.windowFlags().testFlag(Qt::Tool));
    d.placeAt(QRect(100, 40, 800, 600));
    EXPECT_EQ(d.geometry().topRight(), QPoint(899, 40));

    // The form in dialog units; every road box shows its whole text.
    const DialogUnits units(d.font());
    for (const char* label : {"terrainLabel", "roadLabel", "nameLabel"}) {
        EXPECT_EQ(child<QLabel>(d, label)->x(), units.toPixels(QRect(16, 0, 1, 1)).x()) << label;
    }
    EXPECT_EQ(child<QCheckBox>(d, "roadNECheck")->geometry(),
              units.toPixels(QRect(45, 118, 21, 10)));
    EXPECT_EQ(child<QCheckBox>(d, "roadSECheck")->geometry(),
              units.toPixels(QRect(45, 127, 21, 10)));
    for (const char* name : kRoadBoxes) {
        auto* box = child<QCheckBox>(d, name);
        // "NE " ends in a space that need not show.
        box->setText(box->text().trimmed());
        EXPECT_LE(box->sizeHint().width(), box->width()) << name;
    }
}

} // namespace
} // namespace maporv
