#include "Core/Operations/IPickPass.h"
#include "Core/Operations/OperationContext.h"
#include "Model/Automaton/TotalVolume.h"
#include "RecordingOperation.h"

#include <gtest/gtest.h>

using Core::Operations::OperationContext;
using Core::Operations::SelectionManager;

namespace {

// Reports a fixed hit record, standing in for the view's GL selection pass.
class FixedPickPass : public Core::Operations::IPickPass
{
public:
    bool firstHit(int, int, std::vector<unsigned> &names) override
    {
        ++passes;
        names = hit;
        return !hit.empty();
    }
    std::vector<unsigned> hit;
    int passes = 0;
};

class SelectionManagerTest : public ::testing::Test
{
protected:
    SelectionManagerTest() : selection(context.selectionManager())
    {
        for (int i = 0; i < 2; ++i) {
            objects.push_back(boost::make_shared<Model::Automaton::TotalVolume>(
                1, 1, 1, 1.0f, 1.0f, 1.0f, Util::Vector3D(), std::vector<std::uint32_t>{1}));
            context.document().addObject(objects.back());
        }
    }

    OperationContext context;
    SelectionManager &selection;
    std::vector<boost::shared_ptr<Model::Object>> objects;
};

} // namespace

TEST_F(SelectionManagerTest, PicksOnlyWhileSelectionModeIsOn)
{
    FixedPickPass pass;
    pass.hit = {objects[0]->id()};
    EXPECT_FALSE(selection.pickAt(10, 10, pass));
    EXPECT_EQ(pass.passes, 0);

    selection.setMode(true);
    EXPECT_TRUE(selection.pickAt(10, 10, pass));
    EXPECT_TRUE(objects[0]->isSelected());
    EXPECT_EQ(context.pickInput().selectedObjects(), std::vector<boost::shared_ptr<Model::Object>>{objects[0]});
}

TEST_F(SelectionManagerTest, PickingASelectedObjectDeselectsIt)
{
    FixedPickPass pass;
    selection.setMode(true);
    pass.hit = {objects[0]->id()};
    selection.pickAt(0, 0, pass);
    pass.hit = {objects[1]->id()};
    selection.pickAt(0, 0, pass);
    EXPECT_EQ(selection.selectedObjects().size(), 2u);

    pass.hit = {objects[0]->id()};
    selection.pickAt(0, 0, pass);
    EXPECT_FALSE(objects[0]->isSelected());
    EXPECT_EQ(context.pickInput().selectedObjects(), std::vector<boost::shared_ptr<Model::Object>>{objects[1]});
}

TEST_F(SelectionManagerTest, MissOrUnknownNamesChangeNothing)
{
    FixedPickPass pass;
    selection.setMode(true);
    EXPECT_FALSE(selection.pickAt(0, 0, pass));
    pass.hit = {objects[1]->id() + 999};
    EXPECT_TRUE(selection.pickAt(0, 0, pass));
    EXPECT_TRUE(selection.selectedObjects().empty());
}

TEST_F(SelectionManagerTest, ModeOffClearsSelectionAndObserversFollowChangesOnly)
{
    std::vector<std::string> log;
    selection.addObserver(boost::make_shared<TestSupport::LoggingObserver>("mode", &log));
    selection.setMode(true);
    selection.setMode(true);
    EXPECT_EQ(log.size(), 1u);

    selection.toggle({objects[0]->id()});
    selection.setMode(false);
    EXPECT_EQ(log.size(), 2u);
    EXPECT_FALSE(objects[0]->isSelected());
    EXPECT_TRUE(context.pickInput().selectedObjects().empty());
}
