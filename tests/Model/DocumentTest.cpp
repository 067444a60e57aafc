#include "Model/Automaton/TotalVolume.h"
#include "Model/Document.h"
#include "Model/IRenderPass.h"
#include "Model/Layer.h"

#include <boost/make_shared.hpp>

#include <gtest/gtest.h>

#include <string>

using Model::Automaton::TotalVolume;
using Model::Document;

namespace {

boost::shared_ptr<TotalVolume> smallVolume()
{
    return boost::make_shared<TotalVolume>(1, 1, 1, 1.0f, 1.0f, 1.0f, Util::Vector3D(), std::vector<std::uint32_t>{1});
}

// Records what a document asks of a pass.
class RecordingPass : public Model::IRenderPass
{
public:
    explicit RecordingPass(Mode mode) : m_mode(mode) {}
    Mode mode() const override { return m_mode; }
    void pushName(unsigned name) override { log += "push " + std::to_string(name) + ";"; }
    void popName() override { log += "pop;"; }
    void paintCellVolume(TotalVolume &volume, bool objects, bool edges) override
    {
        log += "paint " + std::to_string(volume.id()) + (objects ? " objects" : "") + (edges ? " edges" : "") + ";";
    }
    void paintCellVolumeBounds(const TotalVolume &volume) override
    {
        log += "bounds " + std::to_string(volume.id()) + ";";
    }
    void paintBoxes(const std::vector<ShadedBox> &boxes, const Util::Vector3D &) override
    {
        log += "boxes " + std::to_string(boxes.size()) + ";";
    }

    std::string log;

private:
    Mode m_mode;
};

} // namespace

TEST(Document, StartsWithOneEmptyCurrentLayerAndNoFileName)
{
    Document document;
    ASSERT_EQ(document.layers().size(), 1u);
    EXPECT_EQ(document.layers().front(), document.currentLayer());
    EXPECT_TRUE(document.currentLayer()->objects().empty());
    EXPECT_EQ(document.currentLayer()->number(), 0);
    EXPECT_TRUE(document.currentLayer()->isVisible());
    EXPECT_TRUE(document.fileName().isEmpty());
}

TEST(Document, FindsObjectsByIdAndNothingForUnknownIds)
{
    Document document;
    const auto a = smallVolume();
    const auto b = smallVolume();
    document.addObject(a);
    document.addObject(b);
    EXPECT_EQ(document.findObject(b->id()), b);
    EXPECT_EQ(document.findObject(a->id()), a);
    EXPECT_FALSE(document.findObject(b->id() + 1000));
    ASSERT_EQ(document.allObjects().size(), 2u);
    EXPECT_EQ(document.allObjects()[0], a);
    EXPECT_EQ(document.allObjects()[1], b);
}

TEST(Document, RemoveTakesEveryEntryOfTheObject)
{
    Document document;
    const auto a = smallVolume();
    const auto b = smallVolume();
    document.addObject(a);
    document.addObject(b);
    document.addObject(a);
    document.removeObject(a);
    ASSERT_EQ(document.allObjects().size(), 1u);
    EXPECT_EQ(document.allObjects()[0], b);
    // The document only let go of it: whoever else holds it keeps it.
    EXPECT_EQ(a.use_count(), 1);
}

TEST(Document, ResetLeavesOneEmptyLayerAndNoFileName)
{
    Document document;
    document.addObject(smallVolume());
    document.setFileName("/tmp/some.cvx");
    const auto previousLayer = document.currentLayer();

    document.reset();

    ASSERT_EQ(document.layers().size(), 1u);
    EXPECT_NE(document.currentLayer(), previousLayer);
    EXPECT_TRUE(document.allObjects().empty());
    EXPECT_TRUE(document.fileName().isEmpty());
}

TEST(Document, DrawPaintsWhenRenderingAndTagsBoundsWhenSelecting)
{
    Document document;
    const auto a = smallVolume();
    const auto b = smallVolume();
    document.addObject(a);
    document.addObject(b);

    const std::string ida = std::to_string(a->id()), idb = std::to_string(b->id());
    RecordingPass select(Model::IRenderPass::Mode::Select);
    document.draw(select, true, false);
    EXPECT_EQ(select.log, "push " + ida + ";bounds " + ida + ";pop;push " + idb + ";bounds " + idb + ";pop;");

    RecordingPass render(Model::IRenderPass::Mode::Render);
    document.draw(render, true, false);
    EXPECT_EQ(render.log, "paint " + ida + " objects;paint " + idb + " objects;");

    RecordingPass other(Model::IRenderPass::Mode::Other);
    document.draw(other, true, true);
    EXPECT_EQ(other.log, "");
}
