#include "app/window/frameinput.h"

#include "app/commands/commandids.h"
#include "app/commands/commandtable.h"
#include "app/window/framesurface.h"
#include "app/window/mapframe.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <array>

namespace maporv {
namespace {

constexpr int kPageStep = 75;
constexpr int kArrowStep = 5;
constexpr int kCtrlArrowStep = 15;
constexpr int kWheelStep = 15;
// One notch of a mouse wheel; finer wheels and touch pads send parts of it.
constexpr int kWheelNotch = 120;

// The toggle commands in the order of the button bar's buttons.
constexpr std::array<int, kViewToggleCount> kButtonCommands = {
    kCmdToggleGrid, kCmdToggleStrategic, kCmdToggleTerrain, kCmdToggleRoads, kCmdToggleNames};

// The character a key press types as the character table reads it: none with Alt
// or Meta, and with Ctrl only SPACE (Ctrl and a letter make control characters, and
// the letters the table knows are accelerators then). With Caps Lock on the
// platform delivers a letter in upper case, so a plain "t" then sets terrain.
QChar characterOf(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if ((modifiers & (Qt::AltModifier | Qt::MetaModifier)) != 0) {
        return {};
    }
    const bool ctrl = (modifiers & Qt::ControlModifier) != 0;
    switch (event.key()) {
    case Qt::Key_Space:
        return QLatin1Char(' ');
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return ctrl ? QChar() : QLatin1Char('\t');
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return ctrl ? QChar() : QLatin1Char('\r');
    default:
        break;
    }
    const QString text = event.text();
    return ctrl || text.size() != 1 ? QChar() : text.front();
}

// The Alt keys that stand for a digit: the keypad's keys with Num Lock off (navigation
// keys) or on (digits), and the digits of the main block.
struct AltDigit {
    int key;
    char digit;
};
constexpr std::array<AltDigit, 17> kAltDigits = {{
    {Qt::Key_PageUp, '9'},
    {Qt::Key_9, '9'},
    {Qt::Key_PageDown, '3'},
    {Qt::Key_3, '3'},
    {Qt::Key_End, '1'},
    {Qt::Key_1, '1'},
    {Qt::Key_Home, '7'},
    {Qt::Key_7, '7'},
    {Qt::Key_Left, '4'},
    {Qt::Key_4, '4'},
    {Qt::Key_Up, '8'},
    {Qt::Key_8, '8'},
    {Qt::Key_Right, '6'},
    {Qt::Key_6, '6'},
    {Qt::Key_Down, '2'},
    {Qt::Key_2, '2'},
    {Qt::Key_5, '5'},
}};

// The characters that run a command of the table.
struct CharacterCommand {
    char character;
    int command;
};
constexpr std::array<CharacterCommand, 10> kCharacterCommands = {{
    {'\t', kCmdGetData},
    {'\r', kCmdToggleStrategic},
    {'Z', kCmdToggleStrategic},
    {'z', kCmdToggleStrategic},
    {'C', kCmdClearSelection},
    {'c', kCmdClearSelection},
    {'G', kCmdToggleGrid},
    {'g', kCmdToggleGrid},
    {'L', kCmdOpenLast},
    {'l', kCmdOpenLast},
}};

} // namespace

FrameInput::FrameInput(const CommandTable& commands, EditSession& session, MapFrame& frame)
    : commands_(commands), session_(session), frame_(frame) {
    frame_.surface().installEventFilter(this);
}

FrameInput::~FrameInput() {
    frame_.surface().removeEventFilter(this);
}

bool FrameInput::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &frame_.surface()) {
        return false;
    }
    switch (event->type()) {
    case QEvent::KeyPress:
        return keyPress(static_cast<QKeyEvent&>(*event));
    case QEvent::KeyRelease:
        keyRelease(static_cast<QKeyEvent&>(*event));
        return false;
    case QEvent::MouseButtonPress:
        return mousePress(static_cast<QMouseEvent&>(*event));
    case QEvent::MouseMove:
        mouseMove(static_cast<QMouseEvent&>(*event));
        return false;
    case QEvent::MouseButtonRelease:
        frame_.stroke().released(static_cast<QMouseEvent&>(*event).button());
        return false;
    case QEvent::FocusOut:
        // A menu or a dialog took the pointer and the keys.
        frame_.stroke().end();
        return false;
    case QEvent::MouseButtonDblClick:
        return doubleClick(static_cast<QMouseEvent&>(*event));
    case QEvent::Wheel:
        return wheel(static_cast<QWheelEvent&>(*event));
    default:
        return false;
    }
}

bool FrameInput::keyPress(const QKeyEvent& event) {
    const int key = event.key();
    if (key == Qt::Key_Shift) {
        shiftDown_ = true;
    } else if (key == Qt::Key_Control) {
        ctrlDown_ = true;
    }
    if ((event.modifiers() & Qt::AltModifier) != 0) {
        return altKey(event);
    }
    keyDown(key);
    const QChar typed = characterOf(event);
    return !typed.isNull() && character(typed);
}

void FrameInput::keyRelease(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Shift) {
        shiftDown_ = false;
    } else if (event.key() == Qt::Key_Control) {
        ctrlDown_ = false;
    }
}

void FrameInput::keyDown(int key) {
    HexGrid& grid = frame_.grid();
    const int arrowStep = ctrlDown_ ? kCtrlArrowStep : kArrowStep;
    switch (key) {
    case Qt::Key_PageUp:
        grid.scrollUp(kPageStep);
        break;
    case Qt::Key_PageDown:
        grid.scrollDown(kPageStep);
        break;
    case Qt::Key_Home:
        grid.scrollHome();
        break;
    case Qt::Key_End:
        grid.scrollEnd();
        break;
    case Qt::Key_Left:
        grid.scrollLeft(arrowStep);
        break;
    case Qt::Key_Up:
        grid.scrollUp(arrowStep);
        break;
    case Qt::Key_Right:
        grid.scrollRight(arrowStep);
        break;
    case Qt::Key_Down:
        grid.scrollDown(arrowStep);
        break;
    default:
        break;
    }
}

bool FrameInput::altKey(const QKeyEvent& event) {
    // Other Alt keys belong to the menus and the window system.
    for (const AltDigit& alt : kAltDigits) {
        if (alt.key == event.key()) {
            return character(QLatin1Char(alt.digit));
        }
    }
    return false;
}

bool FrameInput::character(QChar typed) {
    if (!frame_.hasCurrentHex()) {
        return true;
    }
    const char c = typed.toLatin1();
    for (const CharacterCommand& entry : kCharacterCommands) {
        if (entry.character == c) {
            commands_.run(entry.command);
            return false;
        }
    }
    switch (c) {
    case ' ':
        frame_.select(shiftDown_, ctrlDown_);
        break;
    case '+':
    case '-':
        frame_.stepTerrain(c == '+');
        break;
    case '5':
        frame_.grid().centreOn();
        break;
    case 'T':
        session_.edit(&MapEditor::setTerrain, frame_.editCursor());
        break;
    case 'R':
        session_.edit(&MapEditor::setRoads, frame_.editCursor());
        break;
    case 'D':
        session_.edit(&MapEditor::setData, frame_.editCursor());
        break;
    case 'N':
        session_.edit(&MapEditor::setName, frame_.editCursor());
        break;
    default:
        if (c >= '1' && c <= '9') {
            moveCursor(c);
        }
        break;
    }
    return false;
}

void FrameInput::moveCursor(char digit) {
    // Also at the border, where the cursor stays: the pointer comes back onto it.
    frame_.grid().moveCursor(digit);
    frame_.view().PlacePointerOnCursor();
}

QPoint FrameInput::clientPoint(QPointF widgetPoint) const {
    return frame_.surface().toSurface(widgetPoint.toPoint());
}

bool FrameInput::onMapView(QPoint at) const {
    return frame_.grid().inView(at.x(), at.y());
}

bool FrameInput::mousePress(const QMouseEvent& event) {
    // One stroke at a time: another button ends the one running.
    frame_.stroke().end();
    const QPoint at = clientPoint(event.position());
    switch (event.button()) {
    case Qt::LeftButton:
        leftButton(at, event.modifiers());
        break;
    case Qt::RightButton:
        return rightButton(at);
    case Qt::MiddleButton:
        roadButton(at, Qt::MiddleButton, event.modifiers());
        break;
    default:
        break;
    }
    return false;
}

void FrameInput::mouseMove(const QMouseEvent& event) {
    const QPoint at = clientPoint(event.position());
    const MapView& view = frame_.view();
    const Point client{at.x(), at.y()};
    frame_.stroke().sample(view.fullScreen != 0 ? client : view.toScreen(client), event.buttons());
}

HexCoord FrameInput::pickedHex(QPoint at) {
    HexGrid& grid = frame_.grid();
    grid.pickHex(at.x(), at.y());
    return {grid.cursor.row, grid.cursor.column};
}

void FrameInput::leftButton(QPoint at, Qt::KeyboardModifiers modifiers) {
    if (onMapView(at)) {
        if (frame_.drawRoadsOn()) {
            roadButton(at, Qt::LeftButton, modifiers);
        } else {
            session_.beginSelectStroke(pickedHex(at), frame_.view().gridReady,
                                       (modifiers & Qt::ShiftModifier) != 0,
                                       (modifiers & Qt::ControlModifier) != 0);
            frame_.stroke().began(Qt::LeftButton);
        }
        return;
    }
    MapView& view = frame_.view();
    if (const int button = view.buttonBar.HitToggle(at.x(), at.y()); button >= 0) {
        commands_.run(kButtonCommands[static_cast<std::size_t>(button)]);
        // The hit turned the button over; it shows its flag, also when the command
        // did nothing (the grid without a picture).
        const auto toggle = static_cast<ViewToggle>(button);
        view.setToggle(toggle, view.toggle(toggle));
        return;
    }
    if (!frame_.setDataDialogOpen()) {
        frame_.rightMenuAction(view.rightMenu.HitTest(at.x(), at.y()));
    }
}

bool FrameInput::rightButton(QPoint at) {
    if (!frame_.hasCurrentHex()) {
        return true;
    }
    if (onMapView(at)) {
        HexGrid& grid = frame_.grid();
        grid.pickHex(at.x(), at.y());
        frame_.view().currentHex = {true, grid.cursor.row, grid.cursor.column};
        session_.beginPaintStroke(frame_.editCursor());
        frame_.stroke().began(Qt::RightButton);
    }
    return false;
}

void FrameInput::roadButton(QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    // Without a picture the grid has no hexes to join.
    if (!onMapView(at) || !frame_.view().gridReady) {
        return;
    }
    session_.beginRoadStroke(pickedHex(at), (modifiers & Qt::ShiftModifier) != 0);
    frame_.stroke().began(button);
}

bool FrameInput::doubleClick(const QMouseEvent& event) {
    if (event.button() == Qt::LeftButton && onMapView(clientPoint(event.position()))) {
        commands_.run(kCmdToggleStrategic);
    }
    return false;
}

bool FrameInput::wheel(const QWheelEvent& event) {
    const int delta = event.angleDelta().y();
    if (delta == 0 || !onMapView(clientPoint(event.position()))) {
        return false;
    }
    // A turn the other way starts counting anew.
    if ((delta > 0) != (wheelRest_ > 0)) {
        wheelRest_ = 0;
    }
    wheelRest_ += delta;
    HexGrid& grid = frame_.grid();
    for (; wheelRest_ >= kWheelNotch; wheelRest_ -= kWheelNotch) {
        grid.scrollUp(kWheelStep);
    }
    for (; wheelRest_ <= -kWheelNotch; wheelRest_ += kWheelNotch) {
        grid.scrollDown(kWheelStep);
    }
    grid.clampScroll();
    return true;
}

} // namespace maporv
