#pragma once

#include "Util/Vector4D.h"

namespace Model {

// The process-wide colour table shared by new objects, the view and the
// colours dialog: one RGBA colour per kind and scheme, plus the scheme in use.
class ColourScheme
{
public:
    enum Kind { ObjectColour = 0, OutlineColour = 1, GridColour = 2, BackgroundColour = 3 };
    enum Scheme { DefaultScheme = 0, LowScheme = 1, CustomScheme = 2 };
    static constexpr int KindCount = 4;
    static constexpr int SchemeCount = 3;

    static Util::Vector4D colour(int kind, int scheme);
    static void setColour(int kind, int scheme, const Util::Vector4D &colour);
    // The colour of `kind` in the current scheme.
    static Util::Vector4D currentColour(int kind);

    static int currentScheme();
    static void setCurrentScheme(int scheme);

    // Back to the start-up table and scheme 0 (used by tests).
    static void restoreDefaults();
};

} // namespace Model
