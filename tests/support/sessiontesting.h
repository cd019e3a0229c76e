#pragma once

#include "editing/editsession.h"

#include <functional>

namespace maporv::test {

// The session's map, names, picture or texts changed as a file or an edit would.
inline void change(EditSession& session, const std::function<void(MapWorkspace&)>& apply) {
    session.change(kMapChanged | kNamesChanged | kSelectionChanged | kPictureChanged |
                       kDocumentChanged,
                   apply);
}

inline void changeBrush(EditSession& session, const std::function<void(Brush&)>& apply) {
    Brush changed = session.brush();
    apply(changed);
    session.setBrush(changed);
}

} // namespace maporv::test
