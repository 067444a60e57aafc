#pragma once

#include <QDialog>

#include <array>

class QCheckBox;
class QSlider;
class QSpinBox;

namespace Ui {
namespace Operations {

// The cut planes of a volume: per axis a lower limit (inclusive) and an
// upper limit (exclusive), each a spin box coupled with a slider. A lower
// limit never reaches its upper one: moving either past the other pushes
// the other along. With "Preview" checked every change is shown at once.
class CutCellVolumeDialog : public QDialog
{
    Q_OBJECT

public:
    using Corner = std::array<int, 3>;

    explicit CutCellVolumeDialog(QWidget *parent = nullptr);

    // The volume's sizes bound the limits; the current limits are shown.
    void setLimits(const Corner &lower, const Corner &upper, const Corner &size);
    Corner lower() const;
    Corner upper() const;
    bool isPreviewOn() const;

signals:
    // The limits changed while "Preview" is checked, or it was checked.
    void previewRequested();

public slots:
    // Every lower limit to 0 and every upper limit to the axis size.
    void reset();

private:
    struct Limit
    {
        QSpinBox *box = nullptr;
        QSlider *slider = nullptr;
    };

    Limit makeLimit(const char *axis, const char *end, const QString &toolTip);
    void lowerChanged(std::size_t axis);
    void upperChanged(std::size_t axis);
    void changed();

    std::array<Limit, 3> m_lower;
    std::array<Limit, 3> m_upper;
    Corner m_size{{1, 1, 1}};
    QCheckBox *m_preview;
    // Set while one change moves several limits: it is shown once, after.
    bool m_adjusting = false;
};

} // namespace Operations
} // namespace Ui
