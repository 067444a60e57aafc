#pragma once

#include "UI/Operations/FilmOptionsDialog.h"

namespace Ui {
namespace Operations {

// "Doping Options": the doped material and the doping depth.
class DopingOptionsDialog : public FilmOptionsDialog
{
    Q_OBJECT

public:
    explicit DopingOptionsDialog(QWidget *parent = nullptr);

    double depth() const { return thickness(); }
};

} // namespace Operations
} // namespace Ui
