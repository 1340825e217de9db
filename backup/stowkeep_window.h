// The back-up program's window. Back-up, restore and compaction come with
// their own work; for now the window stands ready under its name.
#pragma once

#include <QMainWindow>

namespace backup {

class StowkeepWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit StowkeepWindow(QWidget* parent = nullptr);
};

} // namespace backup
