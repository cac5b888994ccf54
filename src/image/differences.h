#pragma once

#include "image/editorstate.h"
#include "image/radioimage.h"

#include <QList>
#include <QString>
#include <variant>

// What differs between two programmings: their named values, in the order the window shows
// them, then the bytes of their images that belong to no named value. Computed once here for the
// command-line tool, the window and the tests; their words are theirs.
namespace Differences {

// The named values, in the order they are listed: a channel's, the band, the six function
// settings, then the dialogs' in the order of the Programming menu (optional functions with the
// DTMF page, keys, embedded texts, debug, test frequencies), then image bytes.
enum class Field {
    // Channel 1 to 16: there on one side only, else its values
    ChannelAdded, ChannelRemoved, RxFrequency, RxTone, TxFrequency, TxTone, Power, BusyLock, Bandwidth, Scan,
    Band,
    VoicePrompt, Timeout, TimeoutWarn, Squelch, BatterySave, Beep,
    // Optional functions
    Vox, VoxGain, VoxDelay, VoxTone, VoxCancel, VoxOffOnReceive, PttId, Duplicate,
    PriorityMode, PriorityChannel, RevertTimeA, RevertTimeB, ReturnChannel, ScanReceiveDelay, ScanTransmitDelay,
    DtmfRate, FirstDigitTime, FirstDigitDelay, StarHashTone, DKey, SideTone, GroupCallCode, AutoResetTimer,
    AutoDialCode, // code 1 to 8
    PttIdCode, PttStartCode, PttEndCode,
    KeyFunction1, KeyFunction2,
    EmbeddedText, // text 1 or 2
    PowerTuningHigh, PowerTuningLow,
    TestRxFrequency, TestTxFrequency, // row 1 to 16
    Byte, // an image offset
};

// A value: a list position or number, a text (a frequency or tone as the editor writes it,
// empty for none), or nothing (the side of a channel that is not there).
using Value = std::variant<std::monostate, int, QString>;

struct Difference
{
    Field field;
    int index = 0; // the channel, code, text or row number; the image offset of a byte
    Value a;
    Value b;

    friend bool operator==(const Difference &, const Difference &) = default;
};

// The differences from programming a to programming b. Each state is what its image decodes to
// (or, for the window's programming, what encodes to its image). A byte that differs is listed
// unless it stores a named value listed as different, so no difference means images equal byte
// for byte.
QList<Difference> between(const EditorState &a, const RadioImage &imageA, const EditorState &b,
                          const RadioImage &imageB);

// What a write of written would change on a radio whose memory is radio: written's image, but
// in the blocks the write sends (with the power-tuning block when calibration is asked for) the
// radio's bytes. Compared with written, only those bytes can differ.
RadioImage asFarAsAWriteReaches(const RadioImage &radio, const RadioImage &written, bool calibration);

} // namespace Differences
