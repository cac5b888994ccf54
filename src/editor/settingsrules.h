#pragma once

#include "image/editorstate.h"

#include <QString>
#include <QStringList>
#include <optional>

// What the feature dialogs accept and show, shared by the dialogs, the command-line tool and
// the tests.
namespace SettingsRules {

// ---- Optional functions ----

// The list position a setting selects in a list of count items: itself, or -1 (no selection)
// when it is not one of the list's positions.
int listPositionOf(int value, int count);

// The items of the two scan revert-time lists: none, then 0.50 S to 5.00 S in steps of 0.05 s.
QStringList revertTimeItems(const QString &none);

// Whether a scan resume delay box may hold text: empty, or a whole number of seconds from 0 to
// 300 in at most three digits. Larger values would reach the radio and never come back.
bool delayTextAccepted(QStringView text);
inline constexpr int MaxDelay = 300;

// The first channel, 1 to 16, that has a receive frequency; 0 when every channel is empty. A
// fixed priority channel is chosen so.
int firstChannelWithFrequency(const EditorState &state);

// ---- DTMF ----

// The first digit's delay, kept in milliseconds, and the position its list shows: 100 ms to
// 1000 ms in steps of 50 ms; -1 for another duration, which an untouched list keeps.
int firstDigitDelayPosition(int milliseconds);
int firstDigitDelayOf(int position);

// What the auto-dial grid and the PTT ID code boxes take, as typed or pasted: lower-case letters
// become upper case; nullopt when the text holds anything but 0-9, A-D, * and #.
std::optional<QString> typedDtmfCode(QStringView text);

// A stored PTT ID code as its box shows it: without the bytes FF that fill its field.
QString pttCodeShown(const QString &stored);

// ---- Keys ----

inline constexpr int KeyFunctionCount = 12;
inline constexpr int KeyFunctionOff = 1;
// The list position a stored key function shows: itself in 0 to 11, else "OFF".
int keyFunctionShown(int keyFunction);

// ---- Embedded texts ----

inline constexpr int EmbeddedTextLength = 32;
// Whether a character can be stored in an embedded text: one with a single-byte code, and not
// the byte FF, which fills the field after its text and would vanish on reading.
bool embeddedCharacterStorable(QChar c);
// A text with the characters that cannot be stored taken out.
QString storableEmbeddedText(QStringView text);
// Whether a typed character reaches a box holding length characters of which selected are
// selected: not once the box holds 32, unless typing replaces a selection.
bool embeddedKeyAccepted(qsizetype length, qsizetype selected, QChar typed);

} // namespace SettingsRules
