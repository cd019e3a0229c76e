#include "app/toolwindows/checkmapwindow.h"

#include "display/textconversion.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace maporv {
namespace {

// The hex of a problem's line; lines without one (the "No problems found" line) have
// no data.
constexpr int kRowRole = Qt::UserRole;
constexpr int kColumnRole = Qt::UserRole + 1;

// The keys the list moves and activates with, and ESC, which closes the window.
bool ownKey(int key) {
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return true;
    default:
        return false;
    }
}

// A modifier alone does nothing yet: the key it goes with is passed on.
bool modifierOnly(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
           key == Qt::Key_Meta || key == Qt::Key_AltGr;
}

QString titleFor(std::size_t count) {
    if (count == 0) {
        return QStringLiteral("Check Map: no problems");
    }
    return QStringLiteral("Check Map: %1 %2")
        .arg(count)
        .arg(count == 1 ? QStringLiteral("problem") : QStringLiteral("problems"));
}

} // namespace

CheckMapWindow::CheckMapWindow(Check check, QWidget* parent)
    : ToolWindow(parent, Qt::Tool), check_(std::move(check)), list_(new QListWidget(this)),
      mendButton_(new QPushButton(QStringLiteral("Mend one-sided roads"), this)) {
    list_->setObjectName(QStringLiteral("problemList"));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->installEventFilter(this);
    mendButton_->setObjectName(QStringLiteral("mendButton"));
    // Clicked with the mouse only: Enter belongs to the list, and a button with the
    // focus would keep the keys.
    mendButton_->setAutoDefault(false);
    mendButton_->setFocusPolicy(Qt::NoFocus);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setAutoDefault(false);
    close->setFocusPolicy(Qt::NoFocus);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(mendButton_);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(buttons);
    resize(560, 240);

    connect(list_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { activate(item); });
    connect(mendButton_, &QPushButton::clicked, this, [this] { mend(); });
    connect(close, &QPushButton::clicked, this, [this] { reject(); });
    refresh();
}

CheckMapWindow::~CheckMapWindow() = default;

void CheckMapWindow::placeAt(const QRect& displayArea) {
    move(displayArea.x() + displayArea.width() - width(),
         displayArea.y() + displayArea.height() - height());
}

bool CheckMapWindow::keepsKey(const QKeyEvent& key) const {
    if (!problems_.empty() && (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        switch (key.key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return list_->currentItem() != nullptr;
        default:
            break;
        }
    }
    return ToolWindow::keepsKey(key);
}

bool CheckMapWindow::refresh() {
    std::vector<MapProblem> found = check_ ? check_() : std::vector<MapProblem>{};
    if (checked_ && found == problems_) {
        return false;
    }
    checked_ = true;
    // The line the user was at stays current: the same hex and kind when it is still
    // found, else the line in its place.
    int current = list_->currentRow();
    if (current >= 0 && current < static_cast<int>(problems_.size())) {
        const MapProblem& was = problems_[static_cast<std::size_t>(current)];
        const auto same = std::find_if(found.begin(), found.end(), [&was](const MapProblem& p) {
            return p.row == was.row && p.column == was.column && p.kind == was.kind;
        });
        if (same != found.end()) {
            current = static_cast<int>(same - found.begin());
        }
    }
    problems_ = std::move(found);
    rebuild(current);
    return true;
}

void CheckMapWindow::rebuild(int current) {
    list_->clear();
    for (const MapProblem& problem : problems_) {
        auto* item = new QListWidgetItem(toQString(problem.text()), list_);
        item->setData(kRowRole, problem.row);
        item->setData(kColumnRole, problem.column);
    }
    if (problems_.empty()) {
        auto* none = new QListWidgetItem(QStringLiteral("No problems found"), list_);
        none->setFlags(Qt::NoItemFlags);
    } else if (current >= 0) {
        list_->setCurrentRow(std::min(current, list_->count() - 1));
    }
    setWindowTitle(titleFor(problems_.size()));
    mendButton_->setEnabled(std::any_of(problems_.begin(), problems_.end(), [](const auto& p) {
        return p.kind == MapProblemKind::OneSidedRoad;
    }));
}

void CheckMapWindow::activate(QListWidgetItem* item) {
    if (item == nullptr || !item->data(kRowRole).isValid()) {
        return;
    }
    if (goToHex_) {
        goToHex_(item->data(kRowRole).toInt(), item->data(kColumnRole).toInt());
    }
    returnFocus();
}

void CheckMapWindow::mend() {
    if (mendRoads_) {
        mendRoads_();
    }
    refresh();
    returnFocus();
}

bool CheckMapWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress && focusTarget() != nullptr) {
        auto& key = static_cast<QKeyEvent&>(*event);
        if (!ownKey(key.key()) && !modifierOnly(key.key())) {
            // The key goes where the map's keys go, and so does the focus.
            QCoreApplication::sendEvent(focusTarget(), &key);
            returnFocus();
            return true;
        }
    }
    return ToolWindow::eventFilter(watched, event);
}

} // namespace maporv
