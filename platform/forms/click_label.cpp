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
    // A label that leads nowhere (disabled) keeps the greyed text.
    for (const auto group : {QPalette::Active, QPalette::Inactive})
        p.setColor(group, QPalette::WindowText, p.color(group, QPalette::Link));
    setPalette(p);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace forms
