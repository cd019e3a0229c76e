#include "app/desktop/externaleditor.h"

#include "display/textconversion.h"
#include "mapdata/paths.h"
#include "mapdata/textformat.h"
#include "mapdata/userinterface.h"

#include <QProcess>
#include <QStringList>

namespace maporv {
namespace {

bool isProgramFile(const std::string& path) {
    return fileExists(path) && !isFolder(path);
}

} // namespace

ExternalEditor::ExternalEditor(UserInterface& ui) : ui_(ui) {}

void ExternalEditor::launch(const std::string& file) {
    if (!isProgramFile(path_)) {
        choose();
        if (!isProgramFile(path_)) {
            return;
        }
    }
    const std::string commandLine = strprintf("\"%s\" \"%s\"", path_.c_str(), file.c_str());
    if (!starter_ || !starter_(resolveExisting(path_), {file})) {
        ui_.information(strprintf("Invocado:\n%s\nRetornado = %d", commandLine.c_str(), 0));
    }
}

void ExternalEditor::choose() {
    const std::string chosen = ui_.pickFile(FileType::Executable, std::string(), std::string());
    if (chosen.empty()) {
        return;
    }
    if (isProgramFile(chosen)) {
        path_ = chosen;
        return;
    }
    ui_.information(strprintf("Error !\n%snot found%s not changed", chosen.c_str(), path_.c_str()));
}

bool ExternalEditor::startDetached(const std::string& program,
                                   const std::vector<std::string>& arguments) {
    QStringList list;
    for (const std::string& argument : arguments) {
        list << toQString(argument);
    }
    return QProcess::startDetached(toQString(program), list);
}

} // namespace maporv
