#pragma once

#include "i18n/messages.h"
#include "interchange/csvchanneltable.h"

#include <QString>
#include <functional>

// How an import of a CSV channel list is reported, in the words of one language.
namespace CsvWording {

// The wording of a message in the language of the report: Message::text for the window's
// language, Message::inEnglish for the command-line tool.
using Wording = std::function<QString(const Message &)>;

// "line 7: Tone \"TSQL-R\" is a mode the radio cannot do".
QString skippedRowText(const CsvChannelTable::SkippedRow &row, const Wording &wording);

// Why a file could not be imported at all: "it has no Frequency column."
QString failureText(const CsvChannelTable::Import &import, const Wording &wording);

// The report of an import: how many channels came from the file, or why none could, then the
// skipped rows, at most maxRows of them.
QString reportText(const CsvChannelTable::Import &import, const QString &fileName, const Wording &wording,
                   int maxRows = 15);

} // namespace CsvWording
