#pragma once

#include "image/editorstate.h"

#include <QJsonObject>
#include <QString>

// What `qv540-cli dump` prints of a data file, from the editor state it decodes into, in the
// tool's own words.
namespace FileDump {

// A readable page: band, settings, the channels that exist, then the tables.
QString text(const EditorState &state);

// One object, as ProgrammingJson::toJson gives it (and `encode` reads it back).
QJsonObject json(const EditorState &state);

} // namespace FileDump
