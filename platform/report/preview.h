// The report's preview window: one page at a time under the report's caption,
// with page moves, zoom, printing and saving as PDF. Laying the report out is
// engine.h's work; running the window modally, report_feed.h's.
#pragma once

#include <functional>

#include <QDialog>
#include <QString>

#include "platform/report/page_model.h"

class QComboBox;
class QLabel;
class QPrinter;
class QPushButton;
class QResizeEvent;
class QScrollArea;

namespace report {

// Chooses the PDF file to save to, given the proposed name; "" cancels.
// Tests install one; without one, a file dialog asks. Returns the hook it
// replaces.
using SaveFileHook = std::function<QString(QWidget* parent, const QString& proposed)>;
SaveFileHook setSaveFileHook(SaveFileHook hook);

// Sets up `printer` and says whether to print. Tests install one; without
// one, the print dialog asks. Returns the hook it replaces.
using PrintHook = std::function<bool(QWidget* parent, QPrinter& printer)>;
PrintHook setPrintHook(PrintHook hook);

class PageView;

class PreviewWindow : public QDialog {
    Q_OBJECT

public:
    // A window showing the first page of `doc`, titled with its caption.
    explicit PreviewWindow(Document doc, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    // The pages shown.
    const Document& document() const { return m_doc; }
    // The page shown, 0-based.
    int currentPage() const { return m_page; }
    // Shows page `index` (0-based), held within the document's pages.
    void showPage(int index);

    // The page moves (also PageUp, PageDown, Ctrl+Home, Ctrl+End) and the
    // zoom, a percentage of actual size or the width of the window.
    void FirstBttn_Click();
    void PrevBttn_Click();
    void NextBttn_Click();
    void LastBttn_Click();
    void ZoomBox_Change();
    // Asks for a printer (PrintHook) and prints the pages it asks for.
    void PrintBttn_Click();
    // Asks for a file (SaveFileHook) and writes the whole report there as PDF;
    // a file that cannot be written is told in a "Cannot Save" box.
    void SavePdfBttn_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void refresh();

    Document m_doc;
    int m_page = 0;
    PageView* m_view = nullptr;
    QScrollArea* m_scroll = nullptr;
    QLabel* m_pageLbl = nullptr;
    QComboBox* m_zoom = nullptr;
    QPushButton* m_first = nullptr;
    QPushButton* m_prev = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_last = nullptr;
};

} // namespace report
