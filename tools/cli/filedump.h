#pragma once

#include "i18n/captions.h"
#include "image/editorstate.h"

#include <QJsonObject>
#include <QString>

// What `qv540-cli dump` prints of a data file, from the editor state it decodes into. The
// state's cell texts must be those of the given cell texts' language.
namespace FileDump {

// A readable page: band, settings, the channels that exist, then the tables.
QString text(const EditorState &state, const CellTexts &texts);

// One object, as ProgrammingJson::toJson gives it (and `encode` reads it back).
QJsonObject json(const EditorState &state, const CellTexts &texts);

} // namespace FileDump
