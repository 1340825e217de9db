// Draws laid-out pages with a QPainter: on a page view, into a PDF file, or on
// a printer. Choosing the file or the printer is the preview window's work.
#pragma once

#include <QString>

#include "platform/report/page_model.h"

class QPainter;
class QPrinter;

namespace report {

// Draws `page` with `painter`, whose coordinates must be twips from the
// paper's top left corner (the caller scales to its device). Paints no
// background.
void paintPage(QPainter& painter, const Page& page);

// Writes every page of `doc` to the PDF file `path`, in the document's paper
// and orientation. Returns false when the file cannot be written.
bool writePdf(const Document& doc, const QString& path);

// Prints `doc` on `printer`, which the caller has chosen and set up; the
// printer's page range (from and to page, 1-based, 0 for all) is honoured.
// Returns false when the printer cannot be started.
bool printDocument(const Document& doc, QPrinter& printer);

} // namespace report
