#include "app/toolwindows/setdatadialog.h"

#include "app/forms/columnfont.h"
#include "app/forms/dialogunits.h"
#include "display/textconversion.h"
#include "editing/brushsteps.h"
#include "mapdata/mapnames.h"
#include "mapdata/terraintype.h"
#include "mapdata/textformat.h"
#include "ui_setdatadialog.h"

#include <QApplication>
#include <QEvent>
#include <QIntValidator>
#include <QKeyEvent>

namespace maporv {

SetDataDialog::SetDataDialog(EditSession& session, QWidget* parent)
    : ToolWindow(parent, Qt::Tool | Qt::FramelessWindowHint),
      form_(std::make_unique<Ui::SetDataDialog>()), session_(session) {
    form_->setupUi(this);
    DialogUnits::convertForm(this);
    // Fixed pitch keeps the codes and the names of the lines in their columns; the
    // longest terrain line, "15 Impassable River", fits the closed box.
    useColumnFont(*form_->terrainCombo, 19);
    form_->nameCombo->setFont(form_->terrainCombo->font());
    roadBoxes_ = {{{form_->roadNCheck, RoadMask::N},
                   {form_->roadNECheck, RoadMask::NE},
                   {form_->roadSECheck, RoadMask::SE},
                   {form_->roadSCheck, RoadMask::S},
                   {form_->roadSWCheck, RoadMask::SW},
                   {form_->roadNWCheck, RoadMask::NW}}};
    // The roads word is 16 bits.
    form_->roadEdit->setValidator(new QIntValidator(0, 0xFFFF, form_->roadEdit));
    form_->roadEdit->installEventFilter(this);

    connect(form_->terrainCombo, &QComboBox::activated, this, [this] { readCombos(); });
    connect(form_->nameCombo, &QComboBox::activated, this, [this] { readCombos(); });
    for (const RoadBox& road : roadBoxes_) {
        // The boxes are 21 units wide: a tighter gap keeps "NE" and "SE" whole there.
        road.box->setStyleSheet(QStringLiteral("QCheckBox { spacing: 1px; }"));
        connect(road.box, &QCheckBox::clicked, this, [this] { roadBoxClicked(); });
    }
    // Enter takes the number as leaving the field does.
    connect(form_->roadEdit, &QLineEdit::returnPressed, this, [this] { roadNumberLeft(); });
    connect(form_->addButton, &QPushButton::clicked, this, [this] { addName(); });
    connect(form_->editButton, &QPushButton::clicked, this, [this] { editName(); });
    connect(form_->closeButton, &QPushButton::clicked, this, [this] { reject(); });

    fillTerrainList();
    refresh(false);
    following_ = session_.follow([this](SessionChanges what) {
        if (!changing_ && (what & (kBrushChanged | kNamesChanged)) != 0) {
            refresh(true);
        }
    });
}

SetDataDialog::~SetDataDialog() = default;

void SetDataDialog::placeAt(const QRect& displayArea) {
    move(displayArea.x() + displayArea.width() - width(), displayArea.y());
}

bool SetDataDialog::keepsKey(const QKeyEvent& key) const {
    constexpr Qt::KeyboardModifiers kTyping = Qt::ShiftModifier | Qt::KeypadModifier;
    if (focusWidget() != form_->roadEdit || (key.modifiers() & ~kTyping) != Qt::NoModifier) {
        return ToolWindow::keepsKey(key);
    }
    switch (key.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    default:
        return (key.text().size() == 1 && key.text().front().isDigit()) ||
               ToolWindow::keepsKey(key);
    }
}

int SetDataDialog::terrainIndex() const {
    return form_->terrainCombo->currentIndex();
}

int SetDataDialog::nameIndex() const {
    return form_->nameCombo->currentIndex();
}

int SetDataDialog::roadValue() const {
    return form_->roadEdit->text().trimmed().toInt();
}

void SetDataDialog::fillTerrainList() {
    for (int code = 0; code < kTerrainTypeCount; ++code) {
        form_->terrainCombo->addItem(toQString(strprintf("%2d %s", code, terrainName(code))));
    }
}

template <typename Part>
void SetDataDialog::setBrush(Part Brush::*part, std::type_identity_t<Part> value) {
    Brush brush = session_.brush();
    brush.*part = value;
    changing_ = true;
    session_.setBrush(brush);
    changing_ = false;
}

void SetDataDialog::refresh(bool moveFocus) {
    const Brush& brush = session_.brush();
    // A code outside the table (copied from a hex) selects no line.
    form_->terrainCombo->setCurrentIndex(brush.terrain < kTerrainTypeCount ? brush.terrain : -1);
    setRoadBoxes(brush.roads);
    showRoadValue(brush.roads);
    rebuildNameList();
    form_->nameCombo->setCurrentIndex(brush.nameIndex < form_->nameCombo->count() ? brush.nameIndex
                                                                                  : -1);
    // Names belong to a map: with none loaded there is nothing to add them to.
    const bool canEdit = session_.editor().canEdit();
    form_->addButton->setEnabled(canEdit);
    form_->editButton->setEnabled(canEdit);
    if (moveFocus) {
        returnFocus();
    }
}

void SetDataDialog::rebuildNameList() {
    QComboBox& list = *form_->nameCombo;
    list.clear();
    list.addItem(toQString(strprintf("[%-2d]  No named", 0)));
    const MapNames& names = session_.workspace().names;
    for (int entry = 1; entry < names.count; ++entry) {
        list.addItem(toQString(strprintf("[%-2d]  %s", entry, names.nameText(entry).c_str())));
    }
}

void SetDataDialog::readCombos() {
    // A list without a selection leaves its part of the brush alone.
    if (terrainIndex() >= 0) {
        setBrush(&Brush::terrain, terrainIndex());
    }
    if (nameIndex() >= 0) {
        setBrush(&Brush::nameIndex, nameIndex());
    }
    returnFocus();
}

void SetDataDialog::roadBoxClicked() {
    std::uint16_t roads = 0;
    for (const RoadBox& road : roadBoxes_) {
        if (road.box->isChecked()) {
            roads = static_cast<std::uint16_t>(roads | road.bit);
        }
    }
    showRoadValue(roads);
    setBrush(&Brush::roads, roads);
    returnFocus();
}

void SetDataDialog::roadNumberLeft() {
    const int roads = roadValue() & RoadMask::Settable;
    setRoadBoxes(roads);
    showRoadValue(roads);
    setBrush(&Brush::roads, static_cast<std::uint16_t>(roads));
    returnFocus();
}

void SetDataDialog::setRoadBoxes(int roads) {
    for (const RoadBox& road : roadBoxes_) {
        road.box->setChecked((roads & road.bit) != 0);
    }
}

void SetDataDialog::showRoadValue(int roads) {
    form_->roadEdit->setText(QString::number(roads));
}

void SetDataDialog::stepTerrainUp() {
    setTerrain(nextTerrainCode(terrainIndex()));
}

void SetDataDialog::stepTerrainDown() {
    setTerrain(previousTerrainCode(terrainIndex()));
}

void SetDataDialog::setTerrain(int code) {
    form_->terrainCombo->setCurrentIndex(code);
    setBrush(&Brush::terrain, code);
    returnFocus();
}

void SetDataDialog::addName() {
    pause(true);
    changing_ = true;
    const int entry = session_.edit(&MapEditor::addName);
    changing_ = false;
    pause(false);
    // Appended in the short form; the next refresh lists it like the others.
    const MapNames& names = session_.workspace().names;
    if (entry > 0 && form_->nameCombo->count() < names.count) {
        form_->nameCombo->addItem(
            toQString(strprintf("[%d]  %s", entry, names.nameText(entry).c_str())));
    }
    returnFocus();
}

void SetDataDialog::editName() {
    const int entry = nameIndex();
    pause(true);
    changing_ = true;
    const bool renamed = session_.edit(&MapEditor::editName, entry);
    changing_ = false;
    pause(false);
    if (renamed && entry < form_->nameCombo->count()) {
        const std::string& text = session_.workspace().names.nameText(entry);
        form_->nameCombo->setItemText(entry,
                                      toQString(strprintf("[%-2d]  %s", entry, text.c_str())));
    }
    returnFocus();
}

void SetDataDialog::pause(bool on) {
    if (pauseHook_) {
        pauseHook_(on);
    }
}

bool SetDataDialog::eventFilter(QObject* watched, QEvent* event) {
    // The field also loses the focus while the window goes; nothing to take then.
    if (watched == form_->roadEdit && event->type() == QEvent::FocusOut && !closing()) {
        roadNumberLeft();
    }
    return ToolWindow::eventFilter(watched, event);
}

} // namespace maporv
