// The face every window draws its text with, named rather than left to the
// machine's fontconfig, so that a caption, a box and a grid row measure the same
// wherever the programs and their tests run. The prints' faces are report/'s.
#pragma once

namespace forms {

// Makes DejaVu Sans at 9 points the application's font, loading its files from
// the system's font folder first when the font database lacks the family (a
// fontconfig that offers other faces only). Needs a QApplication; without its
// files the machine's own face stays and nothing is said (the windows still work).
void useWindowFace();

} // namespace forms
