#pragma once

#include <QDialog>
#include <QPointer>

class QAbstractButton;
class QKeyEvent;

namespace maporv {

// A modeless tool window beside the map (the Set data dialog, the Check Map window):
// the map keeps the keyboard. After every change the window hands the focus back to
// its target, never away from a box or prompt that is open.
//
// Close, ESC and close() end the window: it emits dismissed(), gives the focus back
// and deletes itself (later, once control is back in the event loop), so its owner
// holds it in a QPointer.
//
// The main window's keys work in it too: a key pressed in the window that it does not
// keep (keepsKey) goes to the focus target, and the focus with it, so that the
// accelerators act and the map scrolls as they do with the focus on the map. The
// main window's accelerator filter hands such keys over (passKeyOn).
class ToolWindow : public QDialog {
    Q_OBJECT

public:
    ToolWindow(QWidget* parent, Qt::WindowFlags flags);

    // The widget that gets the keyboard focus back (its window is activated first).
    // Nothing gets it while none is set.
    void setFocusTarget(QWidget* target) { focusTarget_ = target; }

    // Puts the window at its place in displayArea (global pixels: the main window's
    // client area in screen coordinates).
    virtual void placeAt(const QRect& displayArea) = 0;

    // Whether the window keeps a key pressed in it, now: ESC, which ends it, and what
    // a window adds for the control that has the focus. Modifier keys alone are never
    // asked about; they stay where they are until the key they go with.
    virtual bool keepsKey(const QKeyEvent& key) const;
    // A key the window does not keep: the focus goes back to the target (a field that
    // loses it takes its value first), then the key. False without a target.
    bool passKeyOn(QKeyEvent& key);
    // The enabled button whose mnemonic the key is (Alt+A for "&Add"), if any: the
    // window's own letters win over the menu bar's.
    QAbstractButton* mnemonicButton(const QKeyEvent& key) const;

signals:
    // The window is going; the object deletes itself right after.
    void dismissed();

public slots:
    void done(int result) override;

protected:
    void returnFocus();
    QWidget* focusTarget() const { return focusTarget_; }
    // True from the moment the window began to end.
    bool closing() const { return closing_; }

private:
    QPointer<QWidget> focusTarget_;
    bool closing_ = false;
};

} // namespace maporv
