#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

// Keys a JSON text gives twice in one object. JSON readers, Qt's among them, keep the last of
// them and drop the others without a word; a file that means two things is refused instead.
namespace JsonKeys {

struct Duplicate
{
    QString key;
    QString where; // its place, as the programming's messages name fields: "channels[0].rx"
};

// The first key given twice in one object, in the order of the text; nothing when every key
// stands once. The text must be valid JSON.
std::optional<Duplicate> firstDuplicate(QByteArrayView json);

} // namespace JsonKeys
