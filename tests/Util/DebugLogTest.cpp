// The debug log is the program's own diagnostics: silent unless switched on,
// while warnings always pass.
#include "LogCapture.h"

#include "Model/Automaton/TotalVolume.h"
#include "Util/DebugLog.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void buildLattice()
{
    Model::Automaton::TotalVolume volume(2, 2, 2, 1.0f, 1.0f, 1.0f, Util::Vector3D(), std::vector<std::uint32_t>(8, 1));
    volume.rebuildSiLattice();
}

} // namespace

TEST(DebugLog, ModelDiagnosticsAreSilentUntilSwitchedOn)
{
    Util::DebugLog::setEnabled(false);
    {
        TestSupport::LogCapture log;
        buildLattice();
        qWarning("a warning still passes");
        EXPECT_FALSE(log.contains(QStringLiteral("Done initializing")));
        EXPECT_TRUE(log.contains(QStringLiteral("a warning still passes")));
    }

    qputenv(Util::DebugLog::EnvironmentVariable, "1");
    Util::DebugLog::enableFromEnvironment();
    qunsetenv(Util::DebugLog::EnvironmentVariable);
    TestSupport::LogCapture log;
    buildLattice();
    EXPECT_TRUE(log.contains(QStringLiteral("Done initializing")));
}
