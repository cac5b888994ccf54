#pragma once

#include "image/radioimage.h"

#include <QList>
#include <QString>

// What `qv540-cli verify` compares: the radio's memory against the image a write would send,
// at exactly the addresses a write sends.
namespace ImageComparison {

struct AddressRange
{
    int first = 0; // radio addresses, inclusive
    int last = 0;
    friend bool operator==(const AddressRange &, const AddressRange &) = default;
};

// The radio addresses whose bytes differ, merged into ranges, in ascending order. Both images
// start at radio address 0x0010; a byte either lacks reads as FF.
QList<AddressRange> differences(const RadioImage &radio, const RadioImage &written, bool calibration);

// "0x01BD" or "0x0010-0x0013".
QString rangeText(const AddressRange &range);

// How many bytes the ranges cover.
int byteCount(const QList<AddressRange> &ranges);

} // namespace ImageComparison
