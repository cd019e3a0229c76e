#pragma once

class QFont;

namespace maporv {

// The one font of the editor's widgets: the dialogs' layouts are in dialog units
// designed for a font of about 6 x 13 pixels base units, so they keep their proportions
// only with a font close to that, whatever the platform's default is. Liberation Sans
// at 11 pixels (12 high, 6 wide on average) comes with fonts-liberation2.
QFont editorFont();

// Makes editorFont() the application's font; call once the application exists and
// before any widget is made.
void useEditorFont();

} // namespace maporv
