#pragma once

#include <QPointer>
#include <QTimer>
#include <deque>
#include <functional>
#include <vector>

class QWidget;

namespace maporv::test {

// Answers the modal boxes and dialogs that a test opens, in order: each step runs on
// the next modal widget that shows and must close it. A step may open a nested box
// (a button that asks a question): the next step answers that one, and the outer
// dialog waits for its own step to finish. A modal widget that no step is left for
// is rejected and fails the test, so a test never hangs on a dialog; steps that never
// ran fail it too.
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
    // The modal widgets whose steps are pending or running, outermost first.
    std::vector<QPointer<QWidget>> handling_;
    std::deque<Step> steps_;
    int stepsRun_ = 0;
};

} // namespace maporv::test
