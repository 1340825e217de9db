// NameList: a list of names the user picks from or types into (the chart's
// main types, sub types and natures, the jobs). Its width is the one its
// window gives it, whatever the names; a long name is seen whole in the open
// list and in the tips. Which entry a text means is the window's to say.
#pragma once

#include <QComboBox>

namespace forms {

class NameList : public QComboBox {
    Q_OBJECT

public:
    // What typing into the box does.
    enum class Typing {
        // Qt's own: the first entry that starts with the text, in any letter
        // case, is filled in, and stands in the box when the focus leaves.
        FillIn,
        // The text stays as typed: the entries that start with it, in its own
        // letter case, are offered in a popup, and only one picked from there
        // replaces it.
        AsTyped,
    };

    // An editable list named `name` that adds nothing typed to its entries,
    // sized for `shownCharacters` characters: a longer name is shown from its
    // start.
    NameList(QWidget* parent, const char* name, Typing typing, int shownCharacters = 30);

    // Opens the list as wide as its widest entry, within the screen; an entry
    // wider still is elided there, and its whole text is its tip.
    void showPopup() override;

private:
    void showCurrentFromItsStart();
};

// The entry whose text is exactly `combo`'s text, letter case included; -1 for
// an empty text or none. Of two entries of that text, the current one: the one
// picked from the list is the one meant.
int exactEntry(const QComboBox* combo);

} // namespace forms
