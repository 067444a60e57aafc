#pragma once

#include "UI/Operations/FilmOptionsDialog.h"

namespace Ui {
namespace Operations {

// Options of the isotropic etching: etch depth and the etched material.
class IsotropicEtchingDialog : public FilmOptionsDialog
{
    Q_OBJECT

public:
    // The title is the process's catalogue name followed by " Options".
    explicit IsotropicEtchingDialog(QWidget *parent = nullptr);
};

} // namespace Operations
} // namespace Ui
