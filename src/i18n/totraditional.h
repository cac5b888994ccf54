#pragma once

#include <QString>

// The Traditional Chinese form of a Simplified Chinese text, character for character: each
// character takes the first Traditional form OpenCC's character table gives it; characters
// without one (digits, Latin letters, punctuation), and those whose form would not be a single
// character, come back unchanged. So the text keeps its length. Without OpenCC's data the text
// comes back as it is.
QString toTraditional(const QString &simplified);
