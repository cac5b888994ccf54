#include "image/editorstate.h"

EditorState::EditorState()
{
    for (int slot = 1; slot <= 15; ++slot)
        optionText(slot) = QStringLiteral("1");
    optionText(11) = QStringLiteral("0");
    optionText(17) = QStringLiteral("1");
    optionText(18) = QStringLiteral("2");
    for (int slot = 21; slot <= 24; ++slot)
        optionText(slot) = QStringLiteral("1");
    for (int number = 1; number <= 8; ++number)
        codeText(number) = QString::number(number);
}
