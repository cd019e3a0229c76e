#pragma once

#include "app/toolwindows/toolwindow.h"
#include "editing/editsession.h"
#include "editing/mapcheck.h"

#include <QRect>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QListWidgetItem;

namespace Ui {
class CheckMapWindow;
}

namespace maporv {

// The Check Map window: the map's mistakes, one line per hex and kind in words
// ("one-sided road"), the count in its heading. A modeless tool window over the map
// view's top-left corner, without a caption, as the Set data window.
//
// It follows the editing session: after every change but those of the brush and the
// selection alone (edits, undo, redo, the mends, loads, names files, saves, the
// picture back after a preview) it checks again, and rebuilds the list only when the
// findings changed; nothing runs while the map stays as it is.
//
// It never keeps the main window's keys: it opens without taking the focus and hands
// it back after a line is activated or a mend; the keys it keeps are keepsKey()'s.
// ESC and Close end the window (see ToolWindow).
class CheckMapWindow : public ToolWindow {
    Q_OBJECT

public:
    // What one check found, and what it could not check (empty when nothing).
    struct Findings {
        std::vector<MapProblem> problems;
        std::string note;

        friend bool operator==(const Findings&, const Findings&) = default;
    };
    using Check = std::function<Findings()>;

    CheckMapWindow(const EditSession& session, Check check, QWidget* parent = nullptr);
    ~CheckMapWindow() override;

    // A line activated (double click or Enter): goes to the hex it names, or says
    // why the view cannot (then nothing moves).
    void setGoToHex(std::function<std::string(int row, int column)> goTo) {
        goToHex_ = std::move(goTo);
    }
    // "Mend one-sided roads" and "Set header from picture".
    void setMendRoads(std::function<void()> mend) { mendRoads_ = std::move(mend); }
    void setMendHeader(std::function<void()> mend) { mendHeader_ = std::move(mend); }

    // The map view's area in global pixels; placeAt() puts the window over its
    // top-left corner, clear of the texts, the panel and the road box around it.
    void setViewArea(const QRect& area) { viewArea_ = area; }
    // Over the view area's top-left corner (the display area's without one).
    void placeAt(const QRect& displayArea) override;
    // Up and Down move through the findings, Enter goes to the hex of the current
    // line; with no findings the map takes them.
    bool keepsKey(const QKeyEvent& key) const override;

    // Checks again; the list, the heading and the buttons follow when the findings
    // changed. True then.
    bool refresh();
    const std::vector<MapProblem>& problems() const { return findings_.problems; }
    // What the window says under the list.
    QString note() const;

private:
    // The list from the findings, with the line at current (or the last one) current.
    void rebuild(int current);
    void activate(QListWidgetItem* item);
    void showNote(const std::string& text);
    void mend(const std::function<void()>& mendStep);

    std::unique_ptr<Ui::CheckMapWindow> form_;
    Check check_;
    std::function<std::string(int, int)> goToHex_;
    std::function<void()> mendRoads_;
    std::function<void()> mendHeader_;
    QRect viewArea_;
    Findings findings_;
    bool checked_ = false;
    EditSession::Following following_;
};

} // namespace maporv
