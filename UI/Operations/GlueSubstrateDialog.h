#pragma once

#include <QDialog>

class QCheckBox;
class QSpinBox;

namespace Core {
namespace Operations {
struct GlueLayout;
}
}

namespace Ui {
namespace Operations {

// The glued volume's size and where the top goes on the base. Its limits
// come from the two volumes: the result is at least as large as their
// stack, and the top can only be displaced within the room the base
// leaves.
class GlueSubstrateDialog : public QDialog
{
    Q_OBJECT

public:
    explicit GlueSubstrateDialog(QWidget *parent = nullptr);

    // X and Y become the larger of the two volumes (fixed), Z at least the
    // stack, the displacements at most the room left.
    void limitTo(const Core::Operations::GlueLayout &layout);

    unsigned finalX() const;
    unsigned finalY() const;
    unsigned finalZ() const;
    unsigned displacementX() const;
    unsigned displacementY() const;
    bool invert() const;

private:
    QSpinBox *spinBox(const char *name, const QString &toolTip);

    QSpinBox *m_finalX;
    QSpinBox *m_finalY;
    QSpinBox *m_finalZ;
    QSpinBox *m_displacementX;
    QSpinBox *m_displacementY;
    QCheckBox *m_invert;
};

} // namespace Operations
} // namespace Ui
