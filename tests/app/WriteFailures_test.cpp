// Saves into a folder that is read-only or full: the error is reported
// and the files saved there before stay byte for byte.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "TestSupport.h"
#include "app/TfMain.h"
#include "platform/FormatText.h"
#include "platform/RaisedError.h"

namespace {

enum class Folder { ReadOnly, Full };

// Runs save in a child process that cannot write to `folder` and returns
// what it reported: the error text, or "" when the save claimed success.
std::string SaveInChild(Folder kind, const std::string& folder, rlim_t room,
                        const std::function<void()>& save) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) return "no pipe";
    if (kind == Folder::ReadOnly) chmod(folder.c_str(), 0555);
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        if (kind == Folder::ReadOnly) {
            // Root may write anywhere: the child gives that up first.
            if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
        } else {
            // A disk with room for `room` bytes a file: writes beyond
            // fail as they do on a full file system.
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{room, room};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(3);
        }
        std::string reported;
        try {
            save();
        } catch (const RaisedError& e) {
            reported = e.Text();
        }
        if (write(pipeEnds[1], reported.data(), reported.size()) < 0) _exit(4);
        _exit(0);
    }
    close(pipeEnds[1]);
    std::string reported;
    char buffer[512];
    ssize_t n;
    while ((n = read(pipeEnds[0], buffer, sizeof buffer)) > 0) reported.append(buffer, size_t(n));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    chmod(folder.c_str(), 0755);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "child failed " + std::to_string(status);
    return reported;
}

TEST(WriteFailures, AReadOnlyOrFullFolderKeepsTheEarlierFiles) {
    struct Case {
        const char* file;
        bool config;
        const char* error;  // %s is the file's path
    };
    const Case cases[] = {
        {"g.emf", false, "ﾌｧｲﾙ %s を作成できません"},
        {"g.wmf", false, "ﾌｧｲﾙ %s を作成できません"},
        {"g.bmp", false, "ﾌｧｲﾙ %s を作成できません"},
        {"c.kvc", true, "%s に書き込めません"},
    };
    for (const Folder kind : {Folder::ReadOnly, Folder::Full}) {
        for (const Case& c : cases) {
            const char* name = kind == Folder::ReadOnly ? "read-only" : "full";
            TestDir dir;
            TfMain main;
            main.DataOpen.FileName = dir.Write("d.txt", "0 1 5\n1 3 4\n2 2 6\n");
            main.DataOpen.DivMark = " ";
            ASSERT_TRUE(main.DataOpen.ReadData());
            main.FillDataGrid();
            ASSERT_TRUE(main.DrawGraph(false));
            const std::string folder = dir.Path("out");
            std::filesystem::create_directory(folder);
            const std::string path = folder + "/" + c.file;
            if (c.config)
                ASSERT_TRUE(main.WriteConfigFile(path));
            else
                main.SaveGraphFile(path);
            const std::string before = ReadWholeFile(path);

            // The new one is larger than the disk has room for.
            main.Doc.Graph.Canvaswidth = 900;
            main.Doc.Graph.Canvasheight = 700;
            main.Doc.Title.Main = std::string(1000, 'T');
            ASSERT_TRUE(main.DrawGraph(false));
            const std::string reported = SaveInChild(kind, folder, before.size() + 64, [&] {
                if (c.config)
                    main.WriteConfigFile(path);
                else
                    main.SaveGraphFile(path);
            });
            // The system's reason follows: no permission, or no room
            // (the limit on a file's size says "too large").
            const char* reason =
                kind == Folder::ReadOnly ? " (権限がありません)" : " (ﾌｧｲﾙが大きすぎます)";
            EXPECT_EQ(reported, FormatText(c.error, {path}) + reason) << name << " " << c.file;
            EXPECT_TRUE(ReadWholeFile(path) == before) << name << " " << c.file;
            // Nothing half written is left beside it.
            int files = 0;
            for (const auto& entry : std::filesystem::directory_iterator(folder)) {
                (void)entry;
                ++files;
            }
            EXPECT_EQ(files, 1) << name << " " << c.file;
        }
    }
}

}  // namespace
