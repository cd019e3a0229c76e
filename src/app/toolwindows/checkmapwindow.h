#pragma once

#include "app/toolwindows/toolwindow.h"
#include "editing/mapcheck.h"

#include <functional>
#include <vector>

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace maporv {

// The Check Map window: the map's mistakes, one line per hex and kind in the words of
// maporv-tool check, the count in its title. A modeless tool window beside the map.
//
// It follows the map through its owner, which calls refresh() after every change the
// edit history reports: edits, undo, redo, the mend, loads, names files and saves all
// pass there. refresh() checks again and rebuilds the list only when the findings
// changed; nothing runs while the map stays as it is.
//
// It never keeps the main window's keys: it opens without taking the focus, hands it
// back after a line is activated or the roads are mended, and passes on every key
// it has no use for (all but the arrows, Page Up / Down, Home, End, Enter and ESC),
// together with the focus. ESC and Close end the window (see ToolWindow).
class CheckMapWindow : public ToolWindow {
    Q_OBJECT

public:
    using Check = std::function<std::vector<MapProblem>()>;

    explicit CheckMapWindow(Check check, QWidget* parent = nullptr);
    ~CheckMapWindow() override;

    // The focus target (setFocusTarget) also gets the passed-on keys.
    // A line activated (double click or Enter): the hex it names.
    void setGoToHex(std::function<void(int row, int column)> goTo) { goToHex_ = std::move(goTo); }
    // "Mend one-sided roads".
    void setMendRoads(std::function<void()> mend) { mendRoads_ = std::move(mend); }

    // Puts the window in the bottom-right corner of displayArea (global pixels).
    void placeAt(const QRect& displayArea) override;
    // Up and Down move through the findings, Enter goes to the hex of the current
    // line; with no findings the map takes them.
    bool keepsKey(const QKeyEvent& key) const override;

    // Checks again; the list, the title and the button follow when the findings
    // changed. True then.
    bool refresh();
    const std::vector<MapProblem>& problems() const { return problems_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The list from problems_, with the line at current (or the last one) current.
    void rebuild(int current);
    void activate(QListWidgetItem* item);
    void mend();

    Check check_;
    std::function<void(int, int)> goToHex_;
    std::function<void()> mendRoads_;
    QListWidget* list_;
    QPushButton* mendButton_;
    std::vector<MapProblem> problems_;
    bool checked_ = false;
};

} // namespace maporv
