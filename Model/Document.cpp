#include "Model/Document.h"

#include "Model/IRenderPass.h"
#include "Model/Layer.h"
#include "Model/Object.h"

#include <mutex>

namespace Model {

Document::Document()
{
    m_currentLayer.reset(new Layer);
    m_layers.push_back(m_currentLayer);
}

Document::~Document() = default;

void Document::addObject(const ObjectPtr &object)
{
    std::lock_guard<std::mutex> lock(m_objectsMutex);
    m_currentLayer->objects().push_back(object);
}

void Document::removeObject(const ObjectPtr &object)
{
    // Drawing may run on the same document from a repaint; taking the lock
    // costs nothing and keeps removal safe wherever it is called from.
    std::lock_guard<std::mutex> lock(m_objectsMutex);
    m_currentLayer->objects().remove(object);
}

std::vector<Document::ObjectPtr> Document::allObjects() const
{
    std::lock_guard<std::mutex> lock(m_objectsMutex);
    std::vector<ObjectPtr> result;
    for (const LayerPtr &layer : m_layers)
        result.insert(result.end(), layer->objects().begin(), layer->objects().end());
    return result;
}

Document::ObjectPtr Document::findObject(unsigned id) const
{
    std::lock_guard<std::mutex> lock(m_objectsMutex);
    for (const LayerPtr &layer : m_layers)
        for (const ObjectPtr &object : layer->objects())
            if (object->id() == id)
                return object;
    return ObjectPtr();
}

std::vector<Document::LayerPtr> Document::layers() const
{
    std::lock_guard<std::mutex> lock(m_objectsMutex);
    return std::vector<LayerPtr>(m_layers.begin(), m_layers.end());
}

Document::LayerPtr Document::currentLayer() const
{
    std::lock_guard<std::mutex> lock(m_objectsMutex);
    return m_currentLayer;
}

void Document::draw(IRenderPass &pass, bool renderObjects, bool renderEdges)
{
    switch (pass.mode()) {
    case IRenderPass::Mode::Render: {
        std::lock_guard<std::mutex> lock(m_objectsMutex);
        for (const LayerPtr &layer : m_layers)
            for (const ObjectPtr &object : layer->objects())
                object->draw(pass, renderObjects, renderEdges);
        break;
    }
    case IRenderPass::Mode::Select:
        drawForSelection(pass);
        break;
    case IRenderPass::Mode::Other:
        break;
    }
}

void Document::drawForSelection(IRenderPass &pass)
{
    std::lock_guard<std::mutex> lock(m_objectsMutex);
    for (const LayerPtr &layer : m_layers) {
        for (const ObjectPtr &object : layer->objects()) {
            pass.pushName(object->id());
            object->drawForSelection(pass);
            pass.popName();
        }
    }
}

QString Document::fileName() const
{
    std::lock_guard<std::mutex> lock(m_fileNameMutex);
    return m_fileName;
}

void Document::setFileName(const QString &name)
{
    std::lock_guard<std::mutex> lock(m_fileNameMutex);
    m_fileName = name;
}

LengthUnit Document::lengthUnit() const
{
    std::lock_guard<std::mutex> lock(m_fileNameMutex);
    return m_lengthUnit;
}

void Document::setLengthUnit(const LengthUnit &unit)
{
    std::lock_guard<std::mutex> lock(m_fileNameMutex);
    m_lengthUnit = unit;
}

void Document::reset()
{
    {
        std::lock_guard<std::mutex> lock(m_objectsMutex);
        m_layers.clear();
        m_currentLayer.reset(new Layer);
        m_layers.push_back(m_currentLayer);
    }
    setFileName(QString());
    setLengthUnit(LengthUnit());
}

} // namespace Model
