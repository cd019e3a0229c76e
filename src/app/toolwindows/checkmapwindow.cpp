#include "app/toolwindows/checkmapwindow.h"

#include "app/forms/dialogunits.h"
#include "display/textconversion.h"
#include "ui_checkmapwindow.h"

#include <QKeyEvent>
#include <algorithm>

namespace maporv {
namespace {

// The hex of a problem's line; the "No problems found" line has no data, a line of
// the whole map no hex.
constexpr int kRowRole = Qt::UserRole;
constexpr int kColumnRole = Qt::UserRole + 1;
constexpr int kWholeMapRole = Qt::UserRole + 2;

QString titleFor(std::size_t count) {
    if (count == 0) {
        return QStringLiteral("Check Map: no problems");
    }
    return QStringLiteral("Check Map: %1 %2")
        .arg(count)
        .arg(count == 1 ? QStringLiteral("problem") : QStringLiteral("problems"));
}

} // namespace

CheckMapWindow::CheckMapWindow(const EditSession& session, Check check, QWidget* parent)
    : ToolWindow(parent, Qt::Tool | Qt::FramelessWindowHint),
      form_(std::make_unique<Ui::CheckMapWindow>()), check_(std::move(check)) {
    form_->setupUi(this);
    DialogUnits::convertForm(this);

    connect(form_->problemList, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { activate(item); });
    connect(form_->mendButton, &QPushButton::clicked, this, [this] { mend(mendRoads_); });
    connect(form_->headerButton, &QPushButton::clicked, this, [this] { mend(mendHeader_); });
    connect(form_->closeButton, &QPushButton::clicked, this, [this] { reject(); });
    refresh();
    following_ = session.follow([this](SessionChanges what) {
        if ((what & ~(kBrushChanged | kSelectionChanged)) != 0) {
            refresh();
        }
    });
}

CheckMapWindow::~CheckMapWindow() = default;

void CheckMapWindow::placeAt(const QRect& displayArea) {
    move(viewArea_.isValid() ? viewArea_.topLeft() : displayArea.topLeft());
}

QString CheckMapWindow::note() const {
    return form_->noteLabel->text();
}

bool CheckMapWindow::keepsKey(const QKeyEvent& key) const {
    if (!findings_.problems.empty() && (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        switch (key.key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return form_->problemList->currentItem() != nullptr;
        default:
            break;
        }
    }
    return ToolWindow::keepsKey(key);
}

bool CheckMapWindow::refresh() {
    Findings found = check_ ? check_() : Findings{};
    if (checked_ && found == findings_) {
        return false;
    }
    checked_ = true;
    // The line the user was at stays current: the same hex and kind when it is still
    // found, else the line in its place.
    const std::vector<MapProblem>& was = findings_.problems;
    int current = form_->problemList->currentRow();
    if (current >= 0 && current < static_cast<int>(was.size())) {
        const MapProblem& line = was[static_cast<std::size_t>(current)];
        const auto same = std::find_if(
            found.problems.begin(), found.problems.end(), [&line](const MapProblem& p) {
                return p.row == line.row && p.column == line.column && p.kind == line.kind &&
                       p.wholeMap == line.wholeMap;
            });
        if (same != found.problems.end()) {
            current = static_cast<int>(same - found.problems.begin());
        }
    }
    findings_ = std::move(found);
    rebuild(current);
    return true;
}

void CheckMapWindow::rebuild(int current) {
    QListWidget& list = *form_->problemList;
    list.clear();
    const std::vector<MapProblem>& problems = findings_.problems;
    for (const MapProblem& problem : problems) {
        auto* item = new QListWidgetItem(toQString(problem.text(ProblemNaming::Words)), &list);
        item->setData(kRowRole, problem.row);
        item->setData(kColumnRole, problem.column);
        item->setData(kWholeMapRole, problem.wholeMap);
    }
    if (problems.empty()) {
        auto* none = new QListWidgetItem(QStringLiteral("No problems found"), &list);
        none->setFlags(Qt::NoItemFlags);
    } else if (current >= 0) {
        list.setCurrentRow(std::min(current, list.count() - 1));
    }
    const QString title = titleFor(problems.size());
    setWindowTitle(title);
    form_->headingLabel->setText(title);
    showNote(findings_.note);
    const auto found = [&problems](MapProblemKind kind) {
        return std::any_of(problems.begin(), problems.end(),
                           [kind](const MapProblem& p) { return p.kind == kind; });
    };
    form_->mendButton->setEnabled(found(MapProblemKind::OneSidedRoad));
    form_->headerButton->setEnabled(found(MapProblemKind::HeaderSize));
}

void CheckMapWindow::showNote(const std::string& text) {
    QString note = toQString(text);
    if (!note.isEmpty()) {
        note[0] = note[0].toUpper(); // a sentence of its own here
    }
    form_->noteLabel->setText(note);
}

void CheckMapWindow::activate(QListWidgetItem* item) {
    if (item == nullptr || !item->data(kRowRole).isValid()) {
        return;
    }
    std::string why;
    if (item->data(kWholeMapRole).toBool()) {
        why = "The line is about the whole map: it names no hex to go to.";
    } else if (goToHex_) {
        why = goToHex_(item->data(kRowRole).toInt(), item->data(kColumnRole).toInt());
    }
    showNote(why.empty() ? findings_.note : why);
    returnFocus();
}

void CheckMapWindow::mend(const std::function<void()>& mendStep) {
    // The session tells the window of the step; it checks again then.
    if (mendStep) {
        mendStep();
    }
    returnFocus();
}

} // namespace maporv
