#pragma once

#include "i18n/captions.h"
#include "image/editorstate.h"

#include <QList>
#include <QString>

// One channel as plain values, free of the language the grid's cells are written in: what the
// dump, the JSON and the CSV files show of a channel and what they put back.
struct ChannelValues
{
    int number = 0;                 // 1 to 16
    QString rx, tx;                 // frequency cell texts; tx empty for none
    QString rxTone, txTone;         // tone cell texts ("67.0", "D023N"); empty for none
    bool high = true;
    bool carrier = false;           // busy-channel lockout on carrier
    bool wide = true;
    bool scan = true;

    // The channel of a row as the encoder reads its cells: an option counts as item 0 only
    // when its cell holds that item's text; scan is on for any text but empty and item 0.
    static ChannelValues of(const EditorState &state, int row, const CellTexts &texts);

    // A new channel on an RX frequency as the editor fills it (ChannelRules::fillNewChannel).
    static ChannelValues newChannel(int number, const QString &rx, const CellTexts &texts);

    // The channels that exist, in order.
    static QList<ChannelValues> allOf(const EditorState &state, const CellTexts &texts);

    // Replaces channel `number` of the state with these values, as decoding writes a channel:
    // a missing tone is the Off item beside a frequency and empty without one, and each tone and
    // option cell's list index is that of its text.
    void storeInto(EditorState &state, const CellTexts &texts) const;

    friend bool operator==(const ChannelValues &, const ChannelValues &) = default;
};
