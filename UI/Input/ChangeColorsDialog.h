#pragma once

#include "Util/Vector4D.h"

#include <QDialog>

#include <array>

class QPushButton;

namespace Ui {
namespace Input {

// "Change Default Colors": edits the background, grid, object and outline
// colours. Picking a colour makes a custom scheme; the two load buttons go
// back to the default or the low scheme. apply() stores the choice.
class ChangeColorsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ChangeColorsDialog(QWidget *parent = nullptr);

    int workingScheme() const { return m_scheme; }
    Util::Vector4D workingColour(int kind) const;
    // Makes the working scheme current and keeps the working colours as the
    // custom scheme.
    void apply() const;

    // The style sheet that shows a colour on its button.
    static QString swatchStyle(const Util::Vector4D &colour);

public slots:
    void changeBgColor();
    void changeGridColor();
    void changeObjectColor();
    void changeOutlineColor();
    void loadDefaultColor();
    void loadLowColor();

private:
    void pick(int kind);
    void loadScheme(int scheme);
    void showColours();

    int m_scheme;
    std::array<Util::Vector4D, 4> m_colours; // by colour kind
    std::array<QPushButton *, 4> m_buttons;
};

} // namespace Input
} // namespace Ui
