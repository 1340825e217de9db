// Waiting for a report's preview: the windows that print keep their buttons
// off while the preview is open and take up their work when it closes.
#pragma once

#include <functional>

class QWidget;

namespace statements {

// Runs `then` once the report preview last shown over `owner` has closed: at
// once when none is open (the show blocked until it closed), else when it
// finishes. Nothing runs when `owner` goes first.
void afterPreview(QWidget* owner, std::function<void()> then);

} // namespace statements
