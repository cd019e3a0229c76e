#include "app/forms/pushlikecheckbox.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace maporv {

PushLikeCheckBox::PushLikeCheckBox(QWidget* parent) : QPushButton(parent) {
    setCheckable(true);
    setAutoDefault(false);
}

void PushLikeCheckBox::paintEvent(QPaintEvent* /*event*/) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString text = option.text;
    // The style draws one line only: the frame from it, the text wrapped here.
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.drawItemText(contents, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic,
                         palette(), isEnabled(), text, QPalette::ButtonText);
}

} // namespace maporv
