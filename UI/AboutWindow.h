#pragma once

#include <QDialog>

namespace Ui {

// "About": the program, its makers, and the licence of the GUI toolkit.
class AboutWindow : public QDialog
{
    Q_OBJECT

public:
    explicit AboutWindow(QWidget *parent = nullptr);
};

} // namespace Ui
