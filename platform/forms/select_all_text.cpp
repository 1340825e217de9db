// The focus filter behind SelectAllText.
#include "platform/forms/select_all_text.h"

#include <QEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

namespace forms {
namespace {

class SelectAllOnFocus : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn) {
            if (auto* box = qobject_cast<QLineEdit*>(watched))
                QTimer::singleShot(0, box, [box] { box->selectAll(); });
            else if (auto* lines = qobject_cast<QPlainTextEdit*>(watched))
                QTimer::singleShot(0, lines, [lines] { lines->selectAll(); });
        }
        return false;
    }
};

} // namespace

void selectAllOnFocus(QLineEdit* box)
{
    box->installEventFilter(new SelectAllOnFocus(box));
}

void selectAllOnFocus(QPlainTextEdit* box)
{
    box->installEventFilter(new SelectAllOnFocus(box));
}

} // namespace forms
