#pragma once

#include <QPushButton>

namespace maporv {

// A check box drawn as a button that stays pressed while checked, its text wrapped
// over as many lines as the button's width needs (a template's push-like,
// multi-line check box).
class PushLikeCheckBox : public QPushButton {
    Q_OBJECT

public:
    explicit PushLikeCheckBox(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace maporv
