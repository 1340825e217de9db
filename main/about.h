// The about window "Tamsel Standard": the product and the maker's details, with
// a link to the maker's web page.
#pragma once

#include <QDialog>

namespace app {

class Parent;

class About : public QDialog {
    Q_OBJECT

public:
    explicit About(Parent& main, QWidget* parent = nullptr);

    // Opens the maker's web address in the browser, without waiting; failures are ignored.
    void weblink_Click();
};

} // namespace app
