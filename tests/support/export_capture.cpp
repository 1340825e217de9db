// The export seams of the tests: folder and desktop hook.
#include "tests/support/export_capture.h"

#include <QtGlobal>

#include "platform/shell/launcher.h"
#include "platform/sheet/excel_export.h"
#include "tests/support/xlsx_reader.h"

namespace testing_support {

ExportCapture::ExportCapture(bool openWorks) : m_openWorks(openWorks)
{
    sheet::setExportFolder(m_dir.path());
    shell::setDocumentHook([this](const QString& path) {
        m_opened << path;
        return m_openWorks;
    });
}

ExportCapture::~ExportCapture()
{
    shell::setDocumentHook(nullptr);
}

sheet::Sheet ExportCapture::onlyExport() const
{
    if (m_opened.size() != 1)
        qFatal("the export opened %d files, not one", int(m_opened.size()));
    return readWorkbook(m_opened.front());
}

} // namespace testing_support
