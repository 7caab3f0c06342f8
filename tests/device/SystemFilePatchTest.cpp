#include "device/SystemFilePatch.h"

#include <gtest/gtest.h>

namespace kor {
namespace {

const std::string kBase = "::sysinit:/etc/init.d/rcS\n"
                          "ppp:3:respawn:/usr/sbin/pppwrapper -x\n"
                          "#ppp:3:respawn:/usr/sbin/pppwrapper -x\n";

TEST(SystemFilePatchTest, PatchInittab)
{
    const InittabOptions opts{"alarmd#@recd", 2, false};
    const std::string block = "#v-sencamCLIENT\n"
                              "alarmd:3:respawn:/mnt/flash/bin/alarmd\n"
                              "recd1:3:respawn:/mnt/flash/bin/recd 1\n"
                              "recd2:3:respawn:/mnt/flash/bin/recd 2\n";
    const std::string patchedBase = "::sysinit:/etc/init.d/rcS\n"
                                    "ppp:3:once:/usr/sbin/pppwrapper -x\n"
                                    "#ppp:3:respawn:/usr/sbin/pppwrapper -x\n";
    const struct
    {
        const char* Name;
        std::string In;
        bool Strip;
        std::string Expected;
    } rows[] = {
        {"no marker: block appended", kBase, false, patchedBase + block},
        {"no marker, strip", kBase, true, patchedBase},
        {"marker in the middle", kBase + "#V-SENCAMclient\nold:3:respawn:/mnt/flash/bin/old\n", false,
         patchedBase + block},
        {"the last marker counts", "a\n#v-sencamCLIENT\nb\n#v-sencamCLIENT\nc\n", true,
         "a\n#v-sencamCLIENT\nb\n"},
        {"last line without line end, strip", "a\nlast", true, "a\nlast"},
        {"last line without line end, block", "a\nlast", false, "a\nlast\n" + block},
        {"empty table", "", false, block},
        {"Respawn in any case", "x:3:RESPAWN:/bin/PPPWrapper\n", true, "x:3:once:/bin/PPPWrapper\n"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(PatchInittab(row.In, opts, row.Strip), row.Expected) << row.Name;
}

TEST(SystemFilePatchTest, InittabBlockAndHomePrograms)
{
    EXPECT_EQ(PatchInittab("", {"a#movetohomed#b#", 1, false}, false),
              "#v-sencamCLIENT\na:3:respawn:/mnt/flash/bin/a\nb:3:respawn:/mnt/flash/bin/b\n");
    EXPECT_EQ(PatchInittab("", {"movetohomed", 1, true}, false),
              "#v-sencamCLIENT\nmovetohomed:3:respawn:/mnt/flash/bin/movetohomed\n");
    EXPECT_EQ(PatchInittab("", {"@p", 3, false}, false),
              "#v-sencamCLIENT\np1:3:respawn:/mnt/flash/bin/p 1\np2:3:respawn:/mnt/flash/bin/p 2\n"
              "p3:3:respawn:/mnt/flash/bin/p 3\n");
}

const std::string kMainAxis = "#V-SENCONF\n"
                              "Alias /recordings/ /tmp/html/recordings/\n"
                              "ScriptAlias /cgi-bin/recordings/ /mnt/flash/bin/\n"
                              "ScriptAlias /axis-cgi/io/output.cgi /mnt/flash/bin/ipnio.cgi\n";
const std::string kAccess = "#V-SENCONFAUTH \n"
                            "AuthPath /cgi-bin/recordings/        axadmin\n"
                            "AuthPath /mnt/flash/bin/ipnio.cgi     axview\n"
                            "AuthPath /mnt/flash/bin/     axadmin\n";
const std::string kTransfer = "## VB-C10 TRANSFER\n"
                              "Transfer /-vb\t/tmp/alarmsocket\n"
                              "Transfer /-wvhttp-01-/GetOneShot\t/tmp/ipncamdsocket\n"
                              "Transfer /-wv\t/tmp/webviewsocket\n"
                              "Transfer /admin/-set-\t/tmp/webviewsocket\n"
                              "TransferKeepAlive /-wv\n";

TEST(SystemFilePatchTest, PatchBoaConf)
{
    const std::string plain =
        "Port 80\n  AuthPath /axis-cgi/ axadmin\nTransfer /axis-cgi/io/output.cgi /tmp/s\n";
    const std::string plainOut = "Port 80\n" + kAccess +
                                 "  AuthPath /axis-cgi/ axadmin\n#Transfer /axis-cgi/io/output.cgi /tmp/s\n" +
                                 kMainAxis;
    const BoaOptions axis{false, "AXIS"};
    const BoaOptions cgi{true, "AXIS"};
    const BoaOptions canon{false, "CANON"};
    const struct
    {
        const char* Name;
        std::string In;
        BoaOptions Options;
        std::string Expected;
    } rows[] = {
        {"fresh file", plain, axis, plainOut},
        {"patched twice", plainOut, axis, plainOut},
        {"old main block rewritten",
         "#v-senconf\nAlias old\nScriptAlias old\nScriptAlias old2\nkeep\n" + kAccess, axis,
         "#v-senconf\n" + kMainAxis.substr(11) + "keep\n" + kAccess},
        {"marker among the last lines", "x\n#V-SENCONF\nAlias old", axis, "x\n" + kMainAxis},
        {"cgi-bin layout", plain, cgi,
         plain + "#V-SENCONF\nAlias /recordings/ /tmp/html/recordings/\n"
                 "ScriptAlias /cgi-bin/recordings/ /mnt/flash/bin/cgi-bin/recordings/\n"},
        {"last line without line end", "Port 80", cgi,
         "Port 80\n#V-SENCONF\nAlias /recordings/ /tmp/html/recordings/\n"
         "ScriptAlias /cgi-bin/recordings/ /mnt/flash/bin/cgi-bin/recordings/\n"},
        {"canon appends its transfer block", "Port 80\n", canon,
         "Port 80\n#V-SENCONF\nAlias /recordings/ /tmp/html/recordings/\nScriptAlias /cgi-bin/recordings/ "
         "/mnt/flash/bin/\nScriptAlias /cgi-bin/io/output.cgi /mnt/flash/bin/ipnio.cgi\n" +
             kTransfer},
        {"canon rewrites its transfer block", "## vb-c10 transfer\n1\n2\n3\n4\n5\n6\n", canon,
         "## vb-c10 transfer\n" + kTransfer.substr(19) +
             "6\n#V-SENCONF\nAlias /recordings/ /tmp/html/recordings/\nScriptAlias /cgi-bin/recordings/ "
             "/mnt/flash/bin/\nScriptAlias /cgi-bin/io/output.cgi /mnt/flash/bin/ipnio.cgi\n"},
        {"commented transfer line stays", "#Transfer /axis-cgi/io/output.cgi x\n", cgi,
         "#Transfer /axis-cgi/io/output.cgi x\n#V-SENCONF\nAlias /recordings/ /tmp/html/recordings/\n"
         "ScriptAlias /cgi-bin/recordings/ /mnt/flash/bin/cgi-bin/recordings/\n"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(PatchBoaConf(row.In, row.Options), row.Expected) << row.Name;
}

} // namespace
} // namespace kor
