// The preview window. The page view paints only the page shown, laid out when
// it is shown, so a report of thousands of pages opens on its first page while
// the rest is counted.
#include "platform/report/preview.h"

#include <algorithm>
#include <exception>
#include <limits>
#include <utility>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include "platform/forms/messages.h"
#include "platform/report/engine.h"
#include "platform/report/render.h"

namespace report {

namespace {

SaveFileHook& saveFileHook()
{
    static SaveFileHook h;
    return h;
}

PrintHook& printHook()
{
    static PrintHook h;
    return h;
}

constexpr int kFitWidth = 0;   // zoom box data for "Fit Width"; otherwise a percentage
constexpr int kCountSliceMs = 40;   // counting slices short enough to keep the window answering

} // namespace

SaveFileHook setSaveFileHook(SaveFileHook hook)
{
    return std::exchange(saveFileHook(), std::move(hook));
}

PrintHook setPrintHook(PrintHook hook)
{
    return std::exchange(printHook(), std::move(hook));
}

// One page on white paper, at the zoom of the moment.
class PageView : public QWidget {
public:
    PageView(const Document& doc, QWidget* parent) : QWidget{parent}, m_doc{doc}
    {
        setObjectName(QStringLiteral("PageView"));
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    void setPage(int page, int count)
    {
        m_count = count;
        m_page = page;
        update();
    }

    // Pixels per twip at `percent` zoom on this screen.
    double scaleFor(int percent) const { return percent / 100.0 * logicalDpiX() / double(kTwipsPerInch); }

    void setScale(double pixelsPerTwip)
    {
        m_scale = pixelsPerTwip;
        setFixedSize(int(m_doc.pageWidth * m_scale) + 2 * kGap, int(m_doc.pageHeight * m_scale) + 2 * kGap);
        update();
    }

    static constexpr int kGap = 12;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Dark));
        const QRectF paper(kGap, kGap, m_doc.pageWidth * m_scale, m_doc.pageHeight * m_scale);
        painter.fillRect(paper, Qt::white);
        if (m_page < 0 || m_page >= m_count)
            return;
        // A page whose data is read again when it is shown can fail to
        // read (the book busy past its timeout): say so on the paper rather
        // than let the failure out of the paint event.
        try {
            const Page& page = m_doc.pages[static_cast<std::size_t>(m_page)];
            painter.translate(paper.topLeft());
            painter.scale(m_scale, m_scale);
            paintPage(painter, page);
        } catch (const std::exception& e) {
            painter.resetTransform();
            painter.setPen(Qt::black);
            painter.drawText(paper.adjusted(20, 20, -20, -20), Qt::AlignTop | Qt::TextWordWrap,
                             tr("This page cannot be shown: %1").arg(QString::fromUtf8(e.what())));
        }
    }

private:
    const Document& m_doc;
    int m_page = 0;
    int m_count = 0;
    double m_scale = 1.0 / 15;
};

PreviewWindow::PreviewWindow(Document doc, QWidget* parent) : QDialog{parent}, m_doc{std::move(doc)}
{
    build();
}

PreviewWindow::PreviewWindow(std::shared_ptr<Pagination> pagination, QWidget* parent)
    : QDialog{parent}, m_doc{pagination->document()}, m_pagination{std::move(pagination)}
{
    build();
}

void PreviewWindow::build()
{
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(m_doc.caption);
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);

    const auto button = [this](const char* name, const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    m_first = button("FirstBttn", tr("|<"));
    m_prev = button("PrevBttn", tr("<"));
    m_next = button("NextBttn", tr(">"));
    m_last = button("LastBttn", tr(">|"));
    m_first->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Home));
    m_prev->setShortcut(QKeySequence(Qt::Key_PageUp));
    m_next->setShortcut(QKeySequence(Qt::Key_PageDown));
    m_last->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_End));
    auto* print = button("PrintBttn", tr("&Print..."));
    auto* save = button("SavePdfBttn", tr("&Save PDF..."));
    auto* close = button("CloseBttn", tr("&Close"));
    m_pageLbl = new QLabel(this);
    m_pageLbl->setObjectName(QStringLiteral("PageLbl"));
    m_zoom = new QComboBox(this);
    m_zoom->setObjectName(QStringLiteral("ZoomBox"));
    m_zoom->addItem(tr("Fit Width"), kFitWidth);
    for (const int percent : {50, 75, 100, 125, 150, 200})
        m_zoom->addItem(QStringLiteral("%1%").arg(percent), percent);
    m_zoom->setCurrentIndex(m_zoom->findData(100));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar"));
    m_progress->setRange(0, 1000);
    m_progress->setMaximumWidth(160);
    m_cancel = button("CancelBttn", tr("Cancel"));

    auto* bar = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{m_first, m_prev, m_pageLbl, m_next, m_last, m_zoom})
        bar->addWidget(w);
    bar->addWidget(m_progress);
    bar->addWidget(m_cancel);
    bar->addStretch();
    bar->addWidget(print);
    bar->addWidget(save);
    bar->addWidget(close);

    m_view = new PageView(m_doc, this);
    m_scroll = new QScrollArea(this);
    m_scroll->setObjectName(QStringLiteral("PageScroll"));
    m_scroll->setWidget(m_view);
    m_scroll->setAlignment(Qt::AlignHCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(m_scroll, 1);

    connect(m_first, &QPushButton::clicked, this, &PreviewWindow::FirstBttn_Click);
    connect(m_prev, &QPushButton::clicked, this, &PreviewWindow::PrevBttn_Click);
    connect(m_next, &QPushButton::clicked, this, &PreviewWindow::NextBttn_Click);
    connect(m_last, &QPushButton::clicked, this, &PreviewWindow::LastBttn_Click);
    connect(print, &QPushButton::clicked, this, &PreviewWindow::PrintBttn_Click);
    connect(save, &QPushButton::clicked, this, &PreviewWindow::SavePdfBttn_Click);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_zoom, &QComboBox::currentIndexChanged, this, &PreviewWindow::ZoomBox_Change);
    connect(m_cancel, &QPushButton::clicked, this, &PreviewWindow::CancelBttn_Click);

    m_countTimer = new QTimer(this);
    m_countTimer->setObjectName(QStringLiteral("CountTimer"));
    m_countTimer->setInterval(0);
    connect(m_countTimer, &QTimer::timeout, this, &PreviewWindow::CountTimer_Timer);
    if (counting())
        m_countTimer->start();
    else
        endCounting();

    // Fits a 1024 x 768 screen.
    resize(960, 700);
    ZoomBox_Change();
    refresh();
}

bool PreviewWindow::counting() const
{
    return m_pagination && !m_pagination->complete();
}

int PreviewWindow::pageCount() const
{
    return static_cast<int>(m_pagination ? m_pagination->pagesCounted() : m_doc.pages.size());
}

void PreviewWindow::CountTimer_Timer()
{
    if (!counting()) {
        endCounting();
        return;
    }
    try {
        if (m_pagination->countFor(kCountSliceMs)) {
            endCounting();
            return;
        }
    } catch (const std::exception& e) {
        m_pagination->stop();
        endCounting();
        forms::inform(this, tr("Cannot Print"), QString::fromUtf8(e.what()));
        return;
    }
    m_progress->setValue(int(m_pagination->progress() * 1000));
    updateMoves();
}

void PreviewWindow::CancelBttn_Click()
{
    if (counting())
        m_pagination->stop();
    endCounting();
}

void PreviewWindow::finishCounting()
{
    if (!counting())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        m_pagination->countFor(std::numeric_limits<int>::max());
    } catch (const std::exception& e) {
        m_pagination->stop();
        QApplication::restoreOverrideCursor();
        endCounting();
        forms::inform(this, tr("Cannot Print"), QString::fromUtf8(e.what()));
        return;
    }
    QApplication::restoreOverrideCursor();
    endCounting();
}

void PreviewWindow::endCounting()
{
    m_countTimer->stop();
    m_progress->hide();
    m_cancel->hide();
    // The pages laid out while counting showed the count of the moment.
    m_doc.pages.dropCached();
    if (m_view)
        refresh();
}

PreviewWindow::~PreviewWindow() = default;

void PreviewWindow::showPage(int index)
{
    const int count = pageCount();
    m_page = std::clamp(index, 0, std::max(0, count - 1));
    refresh();
}

void PreviewWindow::FirstBttn_Click() { showPage(0); }
void PreviewWindow::PrevBttn_Click() { showPage(m_page - 1); }
void PreviewWindow::NextBttn_Click() { showPage(m_page + 1); }
void PreviewWindow::LastBttn_Click() { showPage(pageCount() - 1); }

void PreviewWindow::ZoomBox_Change()
{
    const int percent = m_zoom->currentData().toInt();
    if (percent == kFitWidth) {
        // Room for a vertical scroll bar is kept even while there is none: a
        // page made narrower for it would otherwise bring it and no longer fit.
        const int bar = m_scroll->verticalScrollBar()->isVisible()
                            ? 0 : m_scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        const int room = m_scroll->viewport()->width() - bar - 2 * PageView::kGap;
        m_view->setScale(std::max(0.005, room / double(std::max(1, m_doc.pageWidth))));
    } else {
        m_view->setScale(m_view->scaleFor(percent));
    }
}

void PreviewWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (m_zoom->currentData().toInt() == kFitWidth)
        ZoomBox_Change();
}

void PreviewWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    const double pageAt100 = m_doc.pageWidth * m_view->scaleFor(100) + 2 * PageView::kGap;
    if (m_zoom->currentData().toInt() == 100 && pageAt100 > m_scroll->viewport()->width())
        m_zoom->setCurrentIndex(m_zoom->findData(kFitWidth));
}

void PreviewWindow::updateMoves()
{
    const int count = pageCount();
    const QString of = counting() ? tr("%1 ...").arg(count) : QString::number(count);
    m_pageLbl->setText(tr("Page %1 of %2").arg(count ? m_page + 1 : 0).arg(of));
    m_first->setEnabled(m_page > 0);
    m_prev->setEnabled(m_page > 0);
    m_next->setEnabled(m_page + 1 < count);
    m_last->setEnabled(m_page + 1 < count);
}

void PreviewWindow::refresh()
{
    updateMoves();
    m_view->setPage(m_page, pageCount());
    m_scroll->verticalScrollBar()->setValue(0);
}

void PreviewWindow::PrintBttn_Click()
{
    finishCounting();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(m_doc.caption);
    printer.setPageOrientation(m_doc.orientation);
    printer.setFromTo(0, 0);
    bool go = false;
    if (printHook()) {
        go = printHook()(this, printer);
    } else {
        QPrintDialog dialog(&printer, this);
        dialog.setMinMax(1, std::max(1, static_cast<int>(m_doc.pages.size())));
        go = dialog.exec() == QDialog::Accepted;
    }
    if (!go)
        return;
    try {
        if (!printDocument(m_doc, printer))
            forms::inform(this, tr("Cannot Print"), tr("The printer could not be started."));
    } catch (const std::exception& e) {
        forms::inform(this, tr("Cannot Print"), QString::fromUtf8(e.what()));
    }
}

void PreviewWindow::SavePdfBttn_Click()
{
    finishCounting();
    const QString proposed = m_doc.caption + QStringLiteral(".pdf");
    const QString path = saveFileHook()
                             ? saveFileHook()(this, proposed)
                             : QFileDialog::getSaveFileName(this, tr("Save PDF"), proposed,
                                                            tr("PDF files (*.pdf)"));
    if (path.isEmpty())
        return;
    try {
        if (!writePdf(m_doc, path))
            forms::inform(this, tr("Cannot Save"), tr("The file %1 could not be written.").arg(path));
    } catch (const std::exception& e) {
        forms::inform(this, tr("Cannot Save"), QString::fromUtf8(e.what()));
    }
}

} // namespace report
