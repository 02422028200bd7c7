#pragma once

#include <QMainWindow>

namespace obi {

// The main window: the hub from which every other window is opened.
class TfrmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TfrmMain(QWidget *parent = nullptr);
};

} // namespace obi
