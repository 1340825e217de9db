// Test support: exports go to a temporary folder of the test's own, and the
// desktop is "asked" to open them through the shell seam, which keeps their
// paths instead; the last one can be read back as a sheet.
#pragma once

#include <QStringList>
#include <QTemporaryDir>

#include "platform/sheet/sheet.h"

namespace testing_support {

class ExportCapture {
public:
    // Sets the export folder and the document hook; `openWorks` is what the
    // desktop answers.
    explicit ExportCapture(bool openWorks = true);
    // Takes the hook away again.
    ~ExportCapture();
    ExportCapture(const ExportCapture&) = delete;
    ExportCapture& operator=(const ExportCapture&) = delete;

    QString folder() const { return m_dir.path(); }
    // The paths the desktop was asked to open, in order.
    const QStringList& opened() const { return m_opened; }
    void clear() { m_opened.clear(); }
    // The workbook of the one path opened since the last clear(), read back;
    // fails the test (qFatal) when not exactly one was opened.
    sheet::Sheet onlyExport() const;

private:
    QTemporaryDir m_dir;
    QStringList m_opened;
    bool m_openWorks;
};

} // namespace testing_support
