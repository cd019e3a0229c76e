#include "app/desktop/enterdatadialog.h"
#include "app/forms/dialogunits.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace maporv {
namespace {

TEST(DialogUnits, QuarterCharacterWidthAndEighthCharacterHeightRoundedToNearest) {
    EXPECT_EQ(DialogUnits(8, 16).toPixels(QRect(50, 12, 114, 14)), QRect(100, 24, 228, 28));
    const DialogUnits units(6, 13);
    EXPECT_EQ(units.x(50), 75);
    EXPECT_EQ(units.x(3), 5);   // 4.5
    EXPECT_EQ(units.y(12), 20); // 19.5
    EXPECT_EQ(units.y(14), 23); // 22.75
}

TEST(DialogUnits, FollowTheFont) {
    QFont small;
    small.setPixelSize(12);
    QFont large = small;
    large.setPixelSize(24);
    EXPECT_NEAR(static_cast<double>(DialogUnits(large).y(800)) / DialogUnits(small).y(800), 2.0,
                0.2);
}

TEST(DialogUnits, ConvertFormScalesChildrenAndTheFormOnce) {
    QDialog form; // as setupUi leaves it: geometry in units
    form.resize(186, 60);
    auto* edit = new QLineEdit(&form);
    edit->setGeometry(50, 12, 114, 14);
    auto* combo = new QComboBox(&form);
    combo->setGeometry(0, 65, 75, 302);
    QFont font = form.font();
    font.setPixelSize(20);
    form.setFont(font);
    const DialogUnits units(font);

    DialogUnits::convertForm(&form);
    DialogUnits::convertForm(&form);
    EXPECT_EQ(edit->geometry(), units.toPixels(QRect(50, 12, 114, 14)));
    EXPECT_EQ(form.size(), units.toPixels(QSize(186, 60)));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    // A combo box's template height is its open list; it keeps its own.
    EXPECT_EQ(combo->geometry(),
              QRect(units.x(0), units.y(65), units.x(75), combo->sizeHint().height()));
}

TEST(DialogUnits, EnterDataFormLiesInsideTheDialogInReadingOrder) {
    EnterDataDialog dialog;
    const QRect inside(QPoint(0, 0), dialog.size());
    auto* prompt = dialog.findChild<QLabel*>("promptLabel");
    auto* edit = dialog.findChild<QLineEdit*>("textEdit");
    auto* ok = dialog.findChild<QPushButton*>("okButton");
    auto* cancel = dialog.findChild<QPushButton*>("cancelButton");
    ASSERT_TRUE(prompt && edit && ok && cancel);
    for (QWidget* control : std::initializer_list<QWidget*>{prompt, edit, ok, cancel}) {
        EXPECT_TRUE(inside.contains(control->geometry())) << control->objectName().toStdString();
    }
    EXPECT_LE(prompt->geometry().bottom(), edit->geometry().top());
    EXPECT_LT(edit->geometry().bottom(), ok->geometry().top());
    EXPECT_LT(ok->geometry().right(), cancel->geometry().left());
    EXPECT_GE(edit->height(), QFontMetrics(dialog.font()).height());
}

} // namespace
} // namespace maporv
