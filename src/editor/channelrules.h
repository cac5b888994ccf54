#pragma once

#include "editor/bands.h"
#include "image/editorstate.h"

#include <optional>

// What the channel grid's editors do with what the user enters. Every rule works on the
// editor state, so the window, the command-line tool and the tests share them.
namespace ChannelRules {

// ---- Channels ----

// Empties one channel, and forgets what the tone editor remembers of it.
void clearChannel(EditorState &state, int row);
// Empties every channel (New, a change of band).
void clearAllChannels(EditorState &state);

// Makes a new channel of a row whose RX frequency has just been entered (Channel::on); its tone
// cells fall back on no tone.
void fillNewChannel(EditorState &state, int row, Frequency rx);

// The frequency and tone of a channel shown in grid column 1 or 3, and 2 or 4.
Frequency &frequencyIn(Channel &channel, int column);
const Frequency &frequencyIn(const Channel &channel, int column);
Tone &toneIn(Channel &channel, int column);
const Tone &toneIn(const Channel &channel, int column);

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
FrequencyEdit endFrequencyEdit(EditorState &state, int row, int column, QStringView text, Bands::Limits band);

// A key typed on a closed frequency or tone cell (column 1 to 4) opens its editor with the text
// this gives, as spreadsheets do: a digit, and on a tone cell also "D" (a DCS code begins so,
// typed "d" or "D"). Nothing for any other key, which opens nothing.
std::optional<QString> editorTextOfKeyOnCell(QChar key, int column);

// ---- Tone entry ----

// What a key typed into the tone editor becomes: digits, ".", Backspace and the letters d, n,
// i (made upper case) pass; nothing else does.
std::optional<QChar> toneKey(QChar key);

// The tone a typed text becomes: a CTCSS value from 67.0 to 254.1, rounded to 0.1 Hz ("85" ->
// 85.0), or a DCS code ("D23N" -> D023N, "D999I" -> D777I). Nothing when the editor refuses it:
// a CTCSS value outside that range, a DCS code that is not octal, any other text.
std::optional<Tone> typedTone(QStringView text);

// Ends a typed tone edit of cell (row, column), column 2 or 4, of an existing channel. A CTCSS
// value from 67.0 to 254.1 is stored; one outside that range brings back the tone the cell falls
// back on (the item picked last, or the tone read); a DCS text is normalised ("D23N" -> D023N,
// "D999I" -> D777I); anything else leaves the cell as it was, and so does the Off item when the
// editor shows it (offItem: a pick stored it already). Returns whether the cell changed.
bool endToneEdit(EditorState &state, int row, int column, QStringView text, bool offItem);

// A pick from the tone list (item 0 to 260): the item's tone, which the cell then falls back on.
void pickTone(EditorState &state, int row, int column, int index);

// ---- Option cells ----

// A pick from an option list (columns 5 to 8): item 0 or 1 of power, busy lock, bandwidth, scan.
void pickOption(EditorState &state, int row, int column, int index);
// The item an option cell shows: 0 or 1.
int optionItem(const Channel &channel, int column);

} // namespace ChannelRules
