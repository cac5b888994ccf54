#pragma once

#include "image/editorstate.h"

#include <QString>
#include <optional>

// What an edit of the test-frequency table leaves in its row. A typed value is read by its
// leading number (text that starts with none reads as 0) and lowered onto a raster: a receive
// frequency onto the nearer of the 5 kHz and 6.25 kHz rasters, a transmit frequency onto the
// raster of its row's receive frequency. Results are written with five decimals.
namespace TestFrequencyRules {

using Row = EditorState::TestFrequencies;

// The row after its receive cell was edited to text: an emptied receive frequency empties the
// transmit one too; any other receive frequency is snapped and copied to the transmit cell.
// Nothing when the value does not fit the radio's eight-digit field (1000 MHz or more): the cell
// keeps its text.
std::optional<Row> afterReceiveEdit(const Row &row, QStringView text);

// The row after its transmit cell was edited to text: emptied, it takes the receive text; else
// the value is snapped onto the receive frequency's raster (6.25 kHz when the receive frequency
// lies on it, 5 kHz otherwise). Nothing when the value does not fit the field.
std::optional<Row> afterTransmitEdit(const Row &row, QStringView text);

// Whether the transmit cell of a row may be edited: only once the row has a receive frequency.
bool transmitEditable(const Row &row);

} // namespace TestFrequencyRules
