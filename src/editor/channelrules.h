#pragma once

#include "editor/bands.h"
#include "i18n/captions.h"
#include "image/editorstate.h"

#include <optional>

// What the channel grid's editors do with what the user enters. Every rule works on the
// editor state, so the window, the command-line tool and the tests share them.
namespace ChannelRules {

// ---- Channels ----

// Empties one channel: its eight cells and the list indexes of columns 2 to 10.
void clearChannel(EditorState &state, int row);
// Empties the cells of every channel but keeps their list indexes (the New command).
void emptyChannelCells(EditorState &state);
// Empties every channel with its list indexes, as clearChannel does (a change of band).
void clearAllChannels(EditorState &state);

// Fills a new channel whose RX frequency has just been entered: the same TX frequency, no
// tones, high power, lockout off, wide, scanned.
void fillNewChannel(EditorState &state, int row, const CellTexts &texts);

// Rewrites the language-dependent cell texts of every channel after a change of language:
// tone cells showing no tone get the new Off text, option cells the item their index names.
void retranslateCells(EditorState &state, const CellTexts &texts);

// Whether a tone cell shows no tone: the Off item in any language.
bool isToneOff(const QString &cell);

// ---- Frequency entry ----

// Keys that reach the frequency editor: digits, "." and Backspace.
bool frequencyKeyAllowed(QChar key);

// What the frequency editor keeps of a text put into it otherwise than by typing (a paste):
// the characters typing would accept, at most the editor's nine.
QString frequencyEditorText(QStringView text);
inline constexpr int FrequencyEditorLength = 9;

enum class FrequencyEdit {
    Unchanged,  // not a number, or an emptied TX cell: the cell keeps its text
    Stored,     // the cell holds the frequency, snapped onto the raster
    Erased,     // the RX cell was emptied: the whole channel is gone
    OutOfBand,  // refused: the frequency lies outside the band; say so
};

// Ends a frequency edit of cell (row, column), column 1 or 3: checks the text against the band
// (before rounding), rounds it to 10 Hz, lowers it onto the 5 kHz or 6.25 kHz raster, and fills a
// new channel when this is the first RX frequency of an empty row.
FrequencyEdit endFrequencyEdit(EditorState &state, int row, int column, QStringView text, Bands::Limits band,
                               const CellTexts &texts);

// A key typed on a closed frequency or tone cell (column 1 to 4) opens its editor with the text
// this gives, as spreadsheets do: a digit, and on a tone cell also "D" (a DCS code begins so,
// typed "d" or "D"). Nothing for any other key, which opens nothing.
std::optional<QString> editorTextOfKeyOnCell(QChar key, int column);

// ---- Tone entry ----

// What a key typed into the tone editor becomes: digits, ".", Backspace and the letters d, n,
// i (made upper case) pass; nothing else does.
std::optional<QChar> toneKey(QChar key);

// The cell text a typed tone becomes: a CTCSS value from 67.0 to 254.1 written with one decimal
// ("85" -> "85.0"), or a normalised DCS text ("D23N" -> "D023N", "D999I" -> "D777I"). Nothing
// when the editor refuses it: a CTCSS value outside that range, a DCS code that is not octal,
// any other text.
std::optional<QString> typedTone(QStringView text);

// Ends a typed tone edit of cell (row, column), column 2 or 4. A CTCSS value from 67.0 to 254.1
// is written with one decimal; one outside that range brings back the cell's last picked list
// item; a DCS text is normalised ("D23N" -> "D023N", "D999I" -> "D777I"); anything else leaves
// the cell as it was. Returns whether the cell changed.
bool endToneEdit(EditorState &state, int row, int column, QStringView text, const CellTexts &texts);

// A pick from the tone list: the item's text and its list index.
void pickTone(EditorState &state, int row, int column, int index, const CellTexts &texts);

// ---- Option cells ----

// A pick from an option list (columns 5 to 8): the item's text and its index.
void pickOption(EditorState &state, int row, int column, int index, const CellTexts &texts);

} // namespace ChannelRules
