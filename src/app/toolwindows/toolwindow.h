#pragma once

#include <QDialog>
#include <QPointer>

namespace maporv {

// A modeless tool window beside the map (the Set data dialog, the Check Map window):
// the map keeps the keyboard. After every change the window hands the focus back to
// its target, never away from a box or prompt that is open.
//
// Close, ESC and close() end the window: it emits dismissed(), gives the focus back
// and deletes itself (later, once control is back in the event loop), so its owner
// holds it in a QPointer.
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
