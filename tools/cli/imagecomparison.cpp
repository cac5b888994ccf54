#include "imagecomparison.h"

#include "link/protocolengine.h"

namespace ImageComparison {

QList<AddressRange> differences(const RadioImage &radio, const RadioImage &written, bool calibration)
{
    QList<AddressRange> ranges;
    for (int block : ProtocolEngine::writeBlockAddresses(calibration)) {
        for (int address = block; address < block + ProtocolEngine::WriteBlockSize; ++address) {
            const int offset = address - RadioImage::FirstAddress;
            if (radio.byte(offset) == written.byte(offset))
                continue;
            if (!ranges.isEmpty() && ranges.last().last == address - 1)
                ranges.last().last = address;
            else
                ranges.append({address, address});
        }
    }
    return ranges;
}

QString rangeText(const AddressRange &range)
{
    auto hex = [](int address) {
        return QStringLiteral("0x") + QString::number(address, 16).toUpper().rightJustified(4, u'0');
    };
    return range.first == range.last ? hex(range.first) : hex(range.first) + u'-' + hex(range.last);
}

int byteCount(const QList<AddressRange> &ranges)
{
    int count = 0;
    for (const AddressRange &range : ranges)
        count += range.last - range.first + 1;
    return count;
}

} // namespace ImageComparison
