// A label that acts like a link: plain text, underlined, wrapped, with the
// pointing hand, and a signal when clicked. What a click does is the window's.
#pragma once

#include <QLabel>

class QMouseEvent;

namespace forms {

class ClickLabel : public QLabel {
    Q_OBJECT

public:
    // A label named `objectName` showing `text` as plain text.
    ClickLabel(const QString& text, const QString& objectName, QWidget* parent = nullptr);

signals:
    // A left click was released over the label.
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace forms
