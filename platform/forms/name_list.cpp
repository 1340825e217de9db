// The name list: its size, its popup, its typing.
#include "platform/forms/name_list.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>

namespace forms {

NameList::NameList(QWidget* parent, const char* name, Typing typing, int shownCharacters) : QComboBox(parent)
{
    setObjectName(QLatin1String(name));
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Sized for its entries, as Qt sizes it by default, the box would take
    // the window past the screen's edge with the longest name the chart takes.
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(shownCharacters);
    if (typing == Typing::AsTyped) {
        // Qt's own completer fills in an entry that merely starts with the text
        // in another letter case, and when the focus leaves it puts the first
        // entry of that text in any case in place of what was typed.
        auto* completer = new QCompleter(model(), this);
        completer->setCaseSensitivity(Qt::CaseSensitive);
        completer->setCompletionMode(QCompleter::PopupCompletion);
        setCompleter(completer);
        // Return would otherwise move the box to the first of two entries of
        // one text, though the other was picked.
        setDuplicatesEnabled(true);
    }
    connect(this, &QComboBox::currentIndexChanged, this, &NameList::showCurrentFromItsStart);
    connect(this, &QComboBox::currentTextChanged, this, [this](const QString& text) {
        setToolTip(fontMetrics().horizontalAdvance(text) > lineEdit()->width() ? text : QString());
    });
}

void NameList::showCurrentFromItsStart()
{
    lineEdit()->setCursorPosition(0);
}

void NameList::showPopup()
{
    QAbstractItemView* list = view();
    const QFontMetrics metrics(list->font());
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(itemText(i)));
    QComboBox::showPopup();

    QWidget* popup = list->window();
    const QRect screen = (popup->screen() ? popup->screen() : this->screen())->availableGeometry();
    const int margins = 4 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list)
                        + 2 * list->frameWidth() + list->verticalScrollBar()->sizeHint().width();
    const int width = std::min(widest + margins, screen.width());
    if (width > popup->width()) {
        QRect at = popup->geometry();
        at.setWidth(width);
        if (at.right() > screen.right())
            at.moveRight(screen.right());
        if (at.left() < screen.left())
            at.moveLeft(screen.left());
        popup->setGeometry(at);
    }
    const int room = list->viewport()->width();
    for (int i = 0; i < count(); ++i) {
        const QString text = itemText(i);
        setItemData(i, metrics.horizontalAdvance(text) > room ? text : QString(), Qt::ToolTipRole);
    }
}

int exactEntry(const QComboBox* combo)
{
    const QString text = combo->currentText();
    if (text.isEmpty())
        return -1;
    if (combo->currentIndex() >= 0 && combo->itemText(combo->currentIndex()) == text)
        return combo->currentIndex();
    return combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

} // namespace forms
