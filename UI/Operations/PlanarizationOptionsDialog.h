#pragma once

#include "UI/Operations/FormDialog.h"

namespace Ui {
namespace Operations {

// Options of planarization: the minimum and maximum heights in cells. The
// minimum can never be set above the maximum.
class PlanarizationOptionsDialog : public FormDialog
{
    Q_OBJECT

public:
    explicit PlanarizationOptionsDialog(QWidget *parent = nullptr);

    // Limits both heights to a volume of `height` cells, the maximum at the
    // volume's top.
    void limitToHeight(int height);
    int minimumHeight() const;
    int maximumHeight() const;

public slots:
    // The minimum height's limit follows the maximum height.
    void updateMinimumLimits(int maximum);

private:
    QSpinBox *m_minimum;
    QSpinBox *m_maximum;
};

} // namespace Operations
} // namespace Ui
