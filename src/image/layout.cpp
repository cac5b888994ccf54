#include "image/layout.h"

namespace Layout {

QList<int> writeBlockOffsets(bool calibration)
{
    QList<int> offsets;
    int next = 0; // the first offset no block covers yet
    bool inRun = false;
    for (const Segment &segment : Segments) {
        const bool sent = segment.sent == Sent::Always || (segment.sent == Sent::WithCalibration && calibration);
        if (!sent) {
            inRun = false;
            continue;
        }
        // A run of sent segments is sent in blocks from its start on.
        if (!inRun)
            next = segment.offset;
        inRun = true;
        for (; next < segment.offset + segment.size; next += WriteBlockSize)
            offsets.append(next);
    }
    return offsets;
}

} // namespace Layout
