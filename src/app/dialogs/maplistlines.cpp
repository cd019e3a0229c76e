#include "app/dialogs/maplistlines.h"

#include "display/textconversion.h"

#include <QListWidget>
#include <QSignalBlocker>

namespace maporv {

void showMapListLines(QListWidget& list, const std::vector<MapListLine>& lines, int keep) {
    const QSignalBlocker quiet(list);
    list.clear();
    for (const MapListLine& line : lines) {
        auto* item = new QListWidgetItem(toQString(line.text));
        item->setData(Qt::UserRole, line.index);
        list.addItem(item);
        if (line.index == keep) {
            list.setCurrentItem(item);
        }
    }
}

int currentMapListEntry(const QListWidget& list, std::size_t entryCount) {
    const QListWidgetItem* item = list.currentItem();
    if (item == nullptr) {
        return -1;
    }
    bool ok = false;
    const int index = item->data(Qt::UserRole).toInt(&ok);
    return ok && index >= 0 && static_cast<std::size_t>(index) < entryCount ? index : -1;
}

} // namespace maporv
