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

// One object: "band", "bandName", "channels" (those that exist), "settings", "keys",
// "powerTuning", "embeddedTexts", "testFrequencies", "codeTexts", "optionSettings" and
// "optionTexts". Frequencies and tones are texts ("436.12500", "67.0", "D023N"), null for none.
QJsonObject json(const EditorState &state, const CellTexts &texts);

} // namespace FileDump
