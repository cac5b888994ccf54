#pragma once

#include <QString>

// The Traditional Chinese form of a Simplified Chinese text; characters without one (digits,
// Latin letters, punctuation) come back unchanged.
QString toTraditional(const QString &simplified);
