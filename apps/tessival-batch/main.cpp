// The batch program: runs a process list on one cell volume without a
// window and writes the resulting document.
#include "apps/tessival-batch/BatchProgram.h"

int main(int argc, char *argv[])
{
    BatchTool::BatchProgram program;
    const int status = program.setUp(argc, argv);
    if (status != BatchTool::BatchProgram::Proceed)
        return status;
    program.run();
    return program.report();
}
