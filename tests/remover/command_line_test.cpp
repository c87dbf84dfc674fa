#include "remover/command_line.h"

#include <gtest/gtest.h>

using plugsweep::commandTail;
using plugsweep::joinArguments;

TEST(CommandLine, ArgumentsJoinWithSingleSpaces) {
    const char* none[] = {"plugsweep"};
    const char* some[] = {"plugsweep", "C:\\My", "Addins\\x.xla", "with  two", ""};
    EXPECT_EQ(joinArguments(1, none), u"");
    EXPECT_EQ(joinArguments(5, some), u"C:\\My Addins\\x.xla with  two ");
    const char* accented[] = {"plugsweep",
                              "Gr\xC3\xBC\xC3\x9F"
                              "e.xla"};
    EXPECT_EQ(joinArguments(2, accented), u"Gr\u00FC\u00DFe.xla");
}

TEST(CommandLine, WindowsTailFollowsTheProgramName) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"\"C:\\Program Files\\plugsweep.exe\" C:\\x y.xla", u"C:\\x y.xla"},
        {u"plugsweep.exe   \"quoted name\"  ", u"\"quoted name\"  "},
        {u"plugsweep.exe", u""},
        {u"\"C:\\p q\\plugsweep.exe\"", u""},
        {u"plugsweep\tname", u"name"},
    };
    for (const auto& [line, tail] : cases) EXPECT_EQ(commandTail(line), tail);
}
