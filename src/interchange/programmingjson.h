#pragma once

#include "image/editorstate.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <optional>

// A whole programming as one JSON object: what `qv540-cli dump --json` prints and
// `qv540-cli encode` reads back. Frequencies and tones are texts as the editor shows them
// ("436.12500", "67.0", "D023N"), null for none; settings are list positions.
namespace ProgrammingJson {

// The value of the "format" key, to be raised when the format changes.
inline constexpr char Format[] = "qv540/1";

// "format", "band", "bandName", "channels" (those that exist), "settings", "keys",
// "powerTuning", "embeddedTexts", "testFrequencies", "codeTexts" (the auto-dial codes),
// "optionSettings" (the DTMF group) and "optionTexts" (the optional functions as 24 texts, in
// the numbered slots the format has always had).
QJsonObject toJson(const EditorState &state);

struct Reading
{
    std::optional<EditorState> state; // nothing when a value is refused
    QString field;                    // the refused value's field, such as "channels[0].rx"; empty for the whole text
    QString error;                    // what is wrong with it and what to give instead
    QStringList warnings;             // channels kept outside the band or off the raster, one line each
};

// The editor state a JSON object describes. A missing key keeps its start value; a channel key
// missing from a channel takes what a new channel gets. Every value is checked for what a data
// file can hold: a frequency of the field's shape or a decimal number of MHz, a tone as the
// editor writes it, settings in their ranges, texts a data file keeps as they are. Unknown keys
// are refused, so that a misspelt one does not pass unnoticed.
Reading fromJson(const QByteArray &json);

} // namespace ProgrammingJson
