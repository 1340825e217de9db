// The report's preview window: one page at a time under the report's caption,
// with page moves, zoom, printing and saving as PDF. A long report opens on its
// first page while the rest is counted, with a progress bar and Cancel. Laying
// the report out is engine.h's work; running the window modally, report_feed.h's.
#pragma once

#include <functional>
#include <memory>

#include <QDialog>
#include <QString>

#include "platform/report/page_model.h"

class QComboBox;
class QLabel;
class QPrinter;
class QProgressBar;
class QPushButton;
class QTimer;
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
class Pagination;

class PreviewWindow : public QDialog {
    Q_OBJECT

public:
    // A window showing the first page of `doc`, titled with its caption.
    explicit PreviewWindow(Document doc, QWidget* parent = nullptr);
    // A window over a report still being counted: it shows the first page
    // and counts the rest a slice at a time, showing the progress bar
    // (ProgressBar) and Cancel (CancelBttn) meanwhile.
    explicit PreviewWindow(std::shared_ptr<Pagination> pagination, QWidget* parent = nullptr);
    ~PreviewWindow() override;

    // True while pages are being counted.
    bool counting() const;
    // Counts the next slice of pages (the window's timer runs it); ends the
    // counting when all are counted. A value the report cannot show ends it
    // too, told in a "Cannot Print" box.
    void CountTimer_Timer();
    // Ends the counting: the pages counted so far stay, numbered of their count.
    void CancelBttn_Click();

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
    // Asks for a printer (PrintHook) and prints the pages it asks for; the
    // counting is finished first.
    void PrintBttn_Click();
    // Asks for a file (SaveFileHook) and writes the whole report there as PDF,
    // the counting finished first; a file that cannot be written is told in a
    // "Cannot Save" box.
    void SavePdfBttn_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;
    // The first showing opens a page wider than the view (a landscape report)
    // at "Fit Width", so that no column waits behind a scroll bar.
    void showEvent(QShowEvent* event) override;

private:
    void build();
    void refresh();
    void updateMoves();
    // The pages counted (all of them once the counting has ended).
    int pageCount() const;
    void finishCounting();
    void endCounting();

    Document m_doc;
    std::shared_ptr<Pagination> m_pagination;
    QTimer* m_countTimer = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_cancel = nullptr;
    int m_page = 0;
    PageView* m_view = nullptr;
    QScrollArea* m_scroll = nullptr;
    QLabel* m_pageLbl = nullptr;
    QComboBox* m_zoom = nullptr;
    bool m_shown = false;
    QPushButton* m_first = nullptr;
    QPushButton* m_prev = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_last = nullptr;
};

} // namespace report
