#include "demo/demoscenario.h"

#include "demo/demopainter.h"
#include "demo/demoworld.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"
#include "picture/mappicture.h"

#include <filesystem>
#include <memory>
#include <system_error>

namespace maporv {
namespace {

// Passes failures on and keeps the tile writer's "Done !" box to itself: making the
// demo is one step for its caller, not a picture export.
class FailuresOnly : public UserInterface {
public:
    explicit FailuresOnly(UserInterface& ui) : ui_(ui) {}

    void showMessage(MessageKind kind, const std::string& text) override {
        if (kind == MessageKind::Error || kind == MessageKind::Warning) {
            ui_.showMessage(kind, text);
        }
    }
    Answer ask(const std::string& text, QuestionButtons buttons) override {
        return ui_.ask(text, buttons);
    }
    std::string pickFile(int, const std::string&, const std::string&) override { return {}; }
    std::string pickFolder(int, const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> enterText(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    void launchEditor(const std::string&) override {}
    void beginWaitCursor() override { ui_.beginWaitCursor(); }
    void endWaitCursor() override { ui_.endWaitCursor(); }

private:
    UserInterface& ui_;
};

bool makeFolder(const std::string& folder, UserInterface& ui) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec || !isFolder(folder)) {
        ui.error(strprintf("Error on creating [%s]", folder.c_str()));
        return false;
    }
    return true;
}

} // namespace

bool makeDemoScenario(const std::string& folder, UserInterface& ui) {
    const std::string root = withTrailingSeparator(folder.empty() ? std::string(".") : folder);
    const std::string scenarioFolder = root + "SCENARIO/";
    const std::string mapFolder = root + "MAP/";
    if (!makeFolder(scenarioFolder, ui) || !makeFolder(mapFolder, ui)) {
        return false;
    }
    WaitCursor wait(ui);
    // MapNames holds 1800 names: too large for the stack.
    const auto world = std::make_unique<DemoWorld>();
    buildDemoWorld(*world);
    if (!world->document.writeMapFile(scenarioFolder + "DEMO.MAP", ui)) {
        return false;
    }

    FailuresOnly quiet(ui);
    MapPicture picture(quiet);
    paintDemoPicture(*world, picture);
    if (!picture.writeS16Tiles(mapFolder + tileSetName(kDemoMapNumber))) {
        return false;
    }
    // The names file's header takes the map's number and name from the written map.
    return world->names.writeNamesFile(
        strprintf("%sMAP%s.TXT", mapFolder.c_str(), namesFileNumber(kDemoMapNumber).c_str()),
        world->document, ui);
}

} // namespace maporv
