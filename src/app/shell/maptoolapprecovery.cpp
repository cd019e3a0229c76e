// The application's side of the recovery records: the offer at start-up and the end
// of a run by SIGTERM or SIGHUP.

#include "app/shell/maptoolapp.h"
#include "app/shell/recoverykeeper.h"
#include "app/window/mapframe.h"
#include "app/window/renderloop.h"
#include "display/textconversion.h"
#include "editing/workrecovery.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLockFile>
#include <algorithm>
#include <cstdio>
#include <iterator>

namespace maporv {
namespace {

std::string localTime(std::int64_t secondsSinceEpoch) {
    return toStdString(QDateTime::fromSecsSinceEpoch(secondsSinceEpoch)
                           .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

// What was modified, where the map file stands now and what the record allows.
std::string recoveryQuestion(const AbandonedRecord& record, const RecoveryPlan& plan) {
    using MapFile = RecoveryPlan::MapFile;
    const RecoveryRecord& work = *record.read.record;
    const char* map = work.mapPath.c_str();
    const std::string what = !work.namesModified ? strprintf("the map %s", map)
                             : !work.mapModified ? strprintf("the names of %s", map)
                                                 : strprintf("the map %s and its names", map);
    std::string question = strprintf("MapOrv found unsaved changes to %s from %s.", what.c_str(),
                                     localTime(work.time).c_str());
    const std::string file = fileNameWithExtension(work.mapPath);
    if (plan.mapFile == MapFile::Gone) {
        question += strprintf("\n%s is no longer on disk.", file.c_str());
    } else if (plan.mapFrom == RecoveryPlan::MapFrom::RecordWithoutFile &&
               plan.mapFile != MapFile::NotOwn) {
        question += strprintf(plan.mapFile == MapFile::Changed
                                  ? "\n%s has changed on disk since then."
                                  : "\n%s may have changed on disk since then.",
                              file.c_str());
        question += "\nThe recovered map will not replace it unless you say so.";
    }
    if (!record.lock) {
        question += "\nThis record cannot be removed: its folder is read-only.";
    }
    return question + "\nRecover them ?";
}

// One message for every record that cannot be read, however many there are.
std::string unreadableMessage(const std::vector<AbandonedRecord>& records,
                              const std::vector<std::string>& asides) {
    if (records.size() == 1) {
        const AbandonedRecord& record = records.front();
        const std::string text = strprintf("The recovery record\n%s\ncannot be read: %s.",
                                           record.path.c_str(), record.read.problem.c_str());
        return asides.front().empty()
                   ? text
                   : text + strprintf("\nIt has been moved aside to\n%s", asides.front().c_str());
    }
    // A box must stay on the screen.
    constexpr std::size_t kListed = 10;
    std::string text = strprintf("%zu recovery records in\n%s\ncannot be read:", records.size(),
                                 folderPart(records.front().path).c_str());
    for (std::size_t i = 0; i < records.size() && i < kListed; ++i) {
        text += strprintf("\n%s: %s%s", fileNameWithExtension(records[i].path).c_str(),
                          records[i].read.problem.c_str(),
                          asides[i].empty() ? " (it cannot be moved aside)" : "");
    }
    if (records.size() > kListed) {
        text += strprintf("\nand %zu more.", records.size() - kListed);
    }
    const auto moved = std::count_if(asides.begin(), asides.end(),
                                     [](const std::string& aside) { return !aside.empty(); });
    if (moved > 0) {
        text += moved == static_cast<std::ptrdiff_t>(asides.size()) ? "\nThey have"
                                                                    : "\nThe others have";
        text += " been moved aside, \".unreadable\" added to their names.";
    }
    return text;
}

} // namespace

bool MapToolApp::offerRecovery() {
    if (terminated_) {
        return false;
    }
    std::vector<AbandonedRecord> found = recovery_->folder().claimAbandoned();
    // Those that cannot be read come first.
    const auto readable = std::find_if(found.begin(), found.end(), [](const AbandonedRecord& r) {
        return r.read.record.has_value();
    });
    if (readable != found.begin()) {
        const std::vector<AbandonedRecord> unreadable(std::make_move_iterator(found.begin()),
                                                      std::make_move_iterator(readable));
        std::vector<std::string> asides;
        for (const AbandonedRecord& record : unreadable) {
            asides.push_back(RecoveryFolder::setAside(record));
        }
        ui_.error(unreadableMessage(unreadable, asides));
    }
    for (auto it = readable; it != found.end(); ++it) {
        AbandonedRecord& record = *it;
        // A box cut short by the end of the run answered nothing.
        if (terminated_) {
            return false;
        }
        const Answer answer = ui_.ask(recoveryQuestion(record, planRecovery(*record.read.record)),
                                      QuestionButtons::YesNo);
        if (terminated_) {
            return false;
        }
        if (answer == Answer::Yes) {
            recover(record);
            return true;
        }
        if (record.lock) {
            std::remove(record.path.c_str());
        }
    }
    return false;
}

void MapToolApp::recover(AbandonedRecord& record) {
    const RecoveryRecord work = std::move(*record.read.record);
    // The record keeps protecting the work, now as this editor's own, before the work
    // comes back and its keeper hears of it.
    recovery_->adopt(record.path, std::move(record.lock), work);
    // A new history starts at the recovered state.
    session_.recover(work);
}

void MapToolApp::terminate() {
    if (terminated_) {
        return;
    }
    terminated_ = true;
    // A stroke of the mouse under way is work to keep too.
    session_.endStroke();
    recovery_->keep();
    if (loop_) {
        loop_->stop();
    }
    if (setup_.quit) {
        setup_.quit();
    } else {
        QCoreApplication::exit(0);
    }
}

} // namespace maporv
