#include "platform/IniFile.h"

#include <gtest/gtest.h>

#include <vector>

#include "TestSupport.h"

namespace {

struct Write {
    const char* section;
    const char* key;
    const char* value;
};

struct InPlaceCase {
    const char* name;
    const char* before;  // the file as it was, "" for none
    std::vector<Write> writes;
    const char* after;  // the file saved
};

TEST(TIniFile, WritesInPlace) {
    const InPlaceCase cases[] = {
        {"a new file, sections in the order written",
         "",
         {{"B", "k", "1"}, {"A", "x", "2"}, {"B", "m", "3"}, {"A", "y", "4"}},
         "[B]\r\nk=1\r\nm=3\r\n[A]\r\nx=2\r\ny=4\r\n"},
        {"a present key keeps its spelling and place, whatever the case",
         "[Graph]\nWIDTH = 5\nTop=1\n",
         {{"graph", "Width", "7"}},
         "[Graph]\r\nWIDTH=7\r\nTop=1\r\n"},
        {"new keys go after the last line of their section, before its blank lines",
         "[A]\r\nx=1\r\n; note\r\n\r\n\r\n[B]\r\ny=2\r\n",
         {{"A", "z", "3"}, {"A", "w", "4"}, {"B", "v", "5"}},
         "[A]\r\nx=1\r\n; note\r\nz=3\r\nw=4\r\n\r\n\r\n[B]\r\ny=2\r\nv=5\r\n"},
        {"lines before the first section, foreign lines and bytes stay",
         "top=1\r\nno key here\r\n[A]\r\n[broken\r\nx=\x93\xfa\r\n",
         {{"A", "y", "2"}},
         "top=1\r\nno key here\r\n[A]\r\n[broken\r\nx=\x93\xfa\r\ny=2\r\n"},
        {"only the first section of a name is written to",
         "[A]\nx=1\n[a]\nx=2\ny=3\n",
         {{"A", "y", "9"}, {"A", "x", "8"}},
         "[A]\r\nx=8\r\ny=9\r\n[a]\r\nx=2\r\ny=3\r\n"},
        {"a comment that looks like a key is not one",
         "[A]\n;x=1\n",
         {{"A", ";x", "2"}},
         "[A]\r\n;x=1\r\n;x=2\r\n"},
        {"Japanese text is saved in CP932",
         "",
         {{"Title", "Main", "表題"}},
         "[Title]\r\nMain=\x95\x5c\x91\xe8\r\n"},
        {"blanks at the ends and quotes around a value are kept by quoting it",
         "",
         {{"Edit", "a", " lead"},
          {"Edit", "b", "trail\t"},
          {"Edit", "c", "\"q\""},
          {"Edit", "d", "'s'"},
          {"Edit", "e", "\""},
          {"Edit", "f", "a \"b\""},
          {"Edit", "g", "\"x'"}},
         "[Edit]\r\na=\" lead\"\r\nb=\"trail\t\"\r\nc=\"\"q\"\"\r\nd=\"'s'\"\r\n"
         "e=\"\r\nf=a \"b\"\r\ng=\"x'\r\n"},
        {"a carriage return at the end stays, the CRLF line end after it",
         "",
         {{"Title", "Main", "cr\r"}, {"Title", "Sub", "a\rb"}},
         "[Title]\r\nMain=cr\r\r\nSub=a\rb\r\n"},
        {"an empty section gets its first key right after its header",
         "[A]\r\n\r\n[B]\r\n",
         {{"A", "k", "1"}},
         "[A]\r\nk=1\r\n\r\n[B]\r\n"},
    };
    for (const InPlaceCase& c : cases) {
        TestDir dir;
        const std::string path = *c.before ? dir.Write("f.kvc", c.before) : dir.Path("f.kvc");
        TIniFile ini(path);
        for (const Write& w : c.writes) ini.WriteString(w.section, w.key, w.value);
        ini.UpdateFile();
        EXPECT_EQ(ReadWholeFile(path), c.after) << c.name;
        // What was written reads back from the saved file.
        const TIniFile again(path);
        for (const Write& w : c.writes) {
            if (w.key[0] == ';') continue;  // written, but a comment when read
            // Later writes of the same key win.
            std::string last;
            for (const Write& v : c.writes)
                if (SameText(v.section, w.section) && SameText(v.key, w.key)) last = v.value;
            EXPECT_EQ(again.ReadString(w.section, w.key, "?"), last) << c.name << " " << w.key;
        }
    }
}

TEST(TIniFile, ReadsValues) {
    TestDir dir;
    const TIniFile ini(
        dir.Write("r.kvc",
                  "[A]\n  spaced  =  v w  \nq=\"quoted\"\ns='single'\nhex=0x1F\ndollar=$10\n"
                  "bad=12x\nempty=\nsjis=\x95\x5c\n[B]\r\nk=crlf\r\n"));
    EXPECT_TRUE(ini.Exists());
    EXPECT_EQ(ini.ReadString("a", "SPACED", "?"), "v w");
    EXPECT_EQ(ini.ReadString("A", "q", "?"), "quoted");
    EXPECT_EQ(ini.ReadString("A", "s", "?"), "single");
    EXPECT_EQ(ini.ReadInteger("A", "hex", 0), 31);
    EXPECT_EQ(ini.ReadInteger("A", "dollar", 0), 16);
    EXPECT_EQ(ini.ReadInteger("A", "bad", -4), -4);
    EXPECT_EQ(ini.ReadString("A", "empty", "?"), "");
    EXPECT_EQ(ini.ReadInteger("A", "empty", 3), 3);
    EXPECT_EQ(ini.ReadString("A", "sjis", "?"), "表");
    EXPECT_EQ(ini.ReadString("B", "k", "?"), "crlf");
    EXPECT_EQ(ini.ReadString("B", "missing", "dflt"), "dflt");
    EXPECT_EQ(ini.ReadString("C", "k", "dflt"), "dflt");
    EXPECT_FALSE(TIniFile(dir.Path("none.kvc")).Exists());
}

TEST(TIniFile, TheFirstSectionOfANameCountsAndBigFilesReadQuickly) {
    TestDir dir;
    std::string big = "[Graph]\r\nWidth=5\r\n;x=1\r\n[graph]\r\nWidth=7\r\nHeight=9\r\n";
    for (int i = 0; i < 200000; ++i) big += "[S" + std::to_string(i % 500) + "]\r\nk=v\r\n";
    big += "[Title]\r\nMain=end\r\n";
    const TIniFile ini(dir.Write("big.kvc", big));
    EXPECT_EQ(ini.ReadInteger("GRAPH", "width", 0), 5);
    EXPECT_EQ(ini.ReadInteger("Graph", "Height", -1), -1);     // only in the second [graph]
    EXPECT_EQ(ini.ReadString("Graph", ";x", "none"), "none");  // a comment
    EXPECT_EQ(ini.ReadString("title", "MAIN", ""), "end");
    EXPECT_EQ(ini.ReadString("S7", "k", ""), "v");
}

}  // namespace
