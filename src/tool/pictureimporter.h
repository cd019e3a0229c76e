#pragma once

#include "mapdata/userinterface.h"
#include "picture/mappicture.h"

#include <string>
#include <vector>

namespace maporv::tool {

// Loads the picture command's input. The game's own formats (S16 and SHP sets, the
// BMPs the editor reads) go through the picture library exactly as the editor loads
// them; any other picture, and a BMP the editor refuses, through Qt's image reader
// where the build has it. Every message goes to the given user interface.
class PictureImporter {
public:
    explicit PictureImporter(UserInterface& ui);

    // With fit, a picture larger than 1920 x 1920 is scaled down to fit instead of
    // being refused.
    bool load(const std::string& path, bool fit);

    MapPicture& picture() { return picture_; }

private:
    // Passes everything on to the real user interface, except the errors it is told
    // to hold back: a refusal of the editor's BMP reader is not the command's failure
    // when another reader takes over.
    class HeldErrors : public UserInterface {
    public:
        explicit HeldErrors(UserInterface& target) : target_(target) {}

        void hold() { holding_ = true; }
        // Stops holding and hands over what was held.
        std::vector<std::string> release();

        void showMessage(MessageKind kind, const std::string& text) override;
        Answer ask(const std::string& text, QuestionButtons buttons) override {
            return target_.ask(text, buttons);
        }
        std::string pickFile(int type, const std::string& initialPath,
                             const std::string& title) override {
            return target_.pickFile(type, initialPath, title);
        }
        std::string pickFolder(int kind, const std::string& initialFolder,
                               const std::string& prompt) override {
            return target_.pickFolder(kind, initialFolder, prompt);
        }
        std::optional<std::string> enterText(const std::string& prompt,
                                             const std::string& initialText) override {
            return target_.enterText(prompt, initialText);
        }
        void launchEditor(const std::string& file) override { target_.launchEditor(file); }
        void beginWaitCursor() override { target_.beginWaitCursor(); }
        void endWaitCursor() override { target_.endWaitCursor(); }

    private:
        UserInterface& target_;
        bool holding_ = false;
        std::vector<std::string> held_;
    };

    bool loadBmp(const std::string& path, bool fit);

    UserInterface& ui_;
    HeldErrors messages_;
    MapPicture picture_;
};

} // namespace maporv::tool
