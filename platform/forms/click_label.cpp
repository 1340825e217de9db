// The clickable label.
#include "platform/forms/click_label.h"

#include <QMouseEvent>

namespace forms {

ClickLabel::ClickLabel(const QString& text, const QString& objectName, QWidget* parent) : QLabel(parent)
{
    setObjectName(objectName);
    setTextFormat(Qt::PlainText);   // a caption is never read as markup
    setText(text);
    setWordWrap(true);
    setCursor(Qt::PointingHandCursor);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
    QPalette p = palette();
    p.setColor(QPalette::WindowText, p.color(QPalette::Link));
    setPalette(p);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace forms
