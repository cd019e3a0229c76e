#pragma once

#include <QPointer>
#include <QTimer>
#include <deque>
#include <functional>

class QWidget;

namespace maporv::test {

// Answers the modal boxes and dialogs that a test opens, in order: each step runs on
// the next modal widget that shows and must close it. A modal widget that no step
// is left for is rejected and fails the test, so a test never hangs on a dialog;
// steps that never ran fail it too.
class ModalScript {
public:
    using Step = std::function<void(QWidget*)>;

    ModalScript();
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    ModalScript& then(Step step);
    int stepsRun() const { return stepsRun_; }

private:
    void poll();
    void run(QPointer<QWidget> modal, const Step& step);

    QTimer timer_;
    QPointer<QWidget> handling_; // the modal widget whose step is pending or running
    std::deque<Step> steps_;
    int stepsRun_ = 0;
};

} // namespace maporv::test
