#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "TestSupport.h"
#include "app/TfMain.h"
#include "platform/AtomicFile.h"
#include "platform/EmfWriter.h"
#include "platform/RaisedError.h"

namespace {

// Saves killed at random moments leave each file either as it was or as
// it was to become, never torn. The writer runs in a child process that is
// killed with SIGKILL while it writes.
TEST(SaveIntegrity, AKilledSaveLeavesTheOldOrTheNewFile) {
    TestDir dir;
    TfMain main;
    main.DataOpen.FileName = dir.Write("d.txt", "0 1 5\n1 3 4\n2 2 6\n");
    main.DataOpen.DivMark = " ";
    ASSERT_TRUE(main.DataOpen.ReadData());
    main.FillDataGrid();
    ASSERT_TRUE(main.DrawGraph(false));
    const std::string oldGraph = EmfBytes(main.ComposeGraph());
    main.Doc.Graph.Canvaswidth = 800;
    const std::string newGraph = EmfBytes(main.ComposeGraph()) + std::string(200000, '\0');
    const std::string configPath = dir.Path("look.kvc");
    ASSERT_TRUE(main.WriteConfigFile(configPath));
    const std::string oldConfig = ReadWholeFile(configPath);
    const std::string newConfig = oldConfig + std::string(300000, ';') + "\r\n";

    std::mt19937 rng(99);
    std::uniform_int_distribution<int> delay(0, 3000);
    const std::string graphPath = dir.Path("graph.emf");
    int torn = 0, completed = 0, interrupted = 0;
    for (int i = 0; i < 1000; ++i) {
        const bool graph = i % 2 == 0;
        const std::string& path = graph ? graphPath : configPath;
        const std::string& before = graph ? oldGraph : oldConfig;
        const std::string& after = graph ? newGraph : newConfig;
        WriteFileAtomically(path, before);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            try {
                WriteFileAtomically(path, after);
            } catch (const RaisedError&) {
                _exit(2);
            }
            _exit(0);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(delay(rng)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        if (WIFEXITED(status))
            ++completed;
        else
            ++interrupted;
        const std::string now = ReadWholeFile(path);
        if (now != before && now != after) ++torn;
    }
    EXPECT_EQ(torn, 0);
    EXPECT_GT(interrupted, 0);  // the kills did land inside saves
    std::printf("saves: %d completed, %d killed, %d torn\n", completed, interrupted, torn);
}

}  // namespace
