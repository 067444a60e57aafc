#pragma once

namespace Model {

// What a draw call of the scene needs to know about the pass it runs in. The
// OpenGL view implements it; the model never calls GL itself, so it builds and
// is tested without a display.
class IRenderPass
{
public:
    enum class Mode { Render, Select, Other };

    virtual ~IRenderPass() = default;
    virtual Mode mode() const = 0;
    // Selection passes tag what is drawn with the object's id.
    virtual void pushName(unsigned name) = 0;
    virtual void popName() = 0;
};

} // namespace Model
