// Loaded texts shown from their start.
#include "platform/forms/loaded_text.h"

#include <QLineEdit>

namespace forms {

void setLoadedText(QLineEdit* box, const QString& text)
{
    box->setText(text);
    showStart(box);
}

void showStart(QLineEdit* box)
{
    // The box scrolls to keep the cursor in sight, so the cursor at the start
    // brings the start into sight.
    box->setCursorPosition(0);
}

} // namespace forms
