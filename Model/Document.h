#pragma once

#include "Model/LengthUnit.h"

#include <mutex>
#include <QString>

#include <boost/shared_ptr.hpp>

#include <list>
#include <vector>

namespace Model {

class IRenderPass;
class Layer;
class Object;

// The scene of one main window: objects in layers, the file it was last
// saved to or opened from, and the length of its world unit. The objects and
// the file's properties (name and unit) have a mutex each, so the title can
// be read while the objects are being drawn.
class Document
{
public:
    using ObjectPtr = boost::shared_ptr<Object>;
    using LayerPtr = boost::shared_ptr<Layer>;

    Document();
    ~Document();
    Document(const Document &) = delete;
    Document &operator=(const Document &) = delete;

    void addObject(const ObjectPtr &object);
    // Removes every entry of the current layer that refers to `object`.
    void removeObject(const ObjectPtr &object);
    // The objects of all layers, layer by layer, each in list order.
    std::vector<ObjectPtr> allObjects() const;
    // The first object with this id, or an empty pointer.
    ObjectPtr findObject(unsigned id) const;

    std::vector<LayerPtr> layers() const;
    LayerPtr currentLayer() const;

    // Draws every object in the way the pass asks for: as itself while
    // rendering, tagged with its id while selecting, not at all otherwise.
    void draw(IRenderPass &pass, bool renderObjects, bool renderEdges);
    void drawForSelection(IRenderPass &pass);

    QString fileName() const;
    void setFileName(const QString &name);

    // How long a world unit is, for the lengths that leave the program.
    LengthUnit lengthUnit() const;
    void setLengthUnit(const LengthUnit &unit);

    // One new empty layer, no file name and the default length unit, as for
    // a new document.
    void reset();

private:
    mutable std::mutex m_objectsMutex;
    mutable std::mutex m_fileNameMutex;
    std::list<LayerPtr> m_layers;
    LayerPtr m_currentLayer;
    QString m_fileName;
    LengthUnit m_lengthUnit;
};

} // namespace Model
