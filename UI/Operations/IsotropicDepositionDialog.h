#pragma once

#include "UI/Operations/FilmOptionsDialog.h"

namespace Ui {
namespace Operations {

// Options of the isotropic deposition: film thickness and material.
class IsotropicDepositionDialog : public FilmOptionsDialog
{
    Q_OBJECT

public:
    explicit IsotropicDepositionDialog(QWidget *parent = nullptr);
};

} // namespace Operations
} // namespace Ui
