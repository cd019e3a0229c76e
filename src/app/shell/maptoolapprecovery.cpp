// The application's side of the recovery records: the offer at start-up and the end
// of a run by SIGTERM or SIGHUP.

#include "app/shell/maptoolapp.h"
#include "app/shell/recoverykeeper.h"
#include "app/window/mapframe.h"
#include "app/window/renderloop.h"
#include "display/textconversion.h"
#include "editing/workrecovery.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLockFile>
#include <cstdio>

namespace maporv {
namespace {

std::string localTime(std::int64_t secondsSinceEpoch) {
    return toStdString(QDateTime::fromSecsSinceEpoch(secondsSinceEpoch)
                           .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

} // namespace

bool MapToolApp::offerRecovery() {
    std::vector<AbandonedRecord> found = recovery_->folder().claimAbandoned();
    for (AbandonedRecord& record : found) {
        // A box cut short by the end of the run answered nothing.
        if (terminated_) {
            return false;
        }
        if (!record.read.record) {
            const std::string aside = RecoveryFolder::setAside(record);
            ui_.error(aside.empty()
                          ? strprintf("The recovery record\n%s\ncannot be read: %s.",
                                      record.path.c_str(), record.read.problem.c_str())
                          : strprintf("The recovery record\n%s\ncannot be read: %s.\nIt has "
                                      "been moved aside to\n%s",
                                      record.path.c_str(), record.read.problem.c_str(),
                                      aside.c_str()));
            continue;
        }
        const RecoveryRecord& work = *record.read.record;
        const Answer answer =
            ui_.ask(strprintf("MapOrv found unsaved changes to %s from %s.\nRecover them?",
                              work.mapPath.c_str(), localTime(work.time).c_str()),
                    QuestionButtons::YesNo);
        if (terminated_) {
            return false;
        }
        if (answer == Answer::Yes) {
            recover(record);
            return true;
        }
        std::remove(record.path.c_str());
    }
    return false;
}

void MapToolApp::recover(AbandonedRecord& record) {
    RecoveryRecord work = std::move(*record.read.record);
    const MapWorkspace::LoadResult loaded = recoverWork(workspace_, work, ui_);
    // The record keeps protecting the work, now as this editor's own.
    recovery_->adopt(record.path, std::move(record.lock), std::move(work));
    // A new history starts at the recovered state.
    showLoadedMap(loaded.pictureLoaded);
}

void MapToolApp::terminate() {
    if (terminated_) {
        return;
    }
    terminated_ = true;
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
