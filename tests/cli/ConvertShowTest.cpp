#include "CliRun.h"
#include "TestSupport.h"
#include "cli/Commands.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <sstream>

#include <fcntl.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <random>

namespace kor::cli {
namespace {

using test::CliRun;
using KorctlConvert = test::KorctlTest;

TEST_F(KorctlConvert, ProjectToUploadAndBackIsLossless)
{
    CliRun r = Run({"convert", Sample(), Path("alarm_app"), "--to", "alarm_app", "--port", "8080", "--user",
                    "root", "--password", "p:w@d", "--mac", "00:40:8C:12:34:56", "--brand", "AXIS"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    const std::string upload = Read("alarm_app");
    EXPECT_EQ(upload.rfind("#USR=root;PWD=p:w@d;PORT=8080;MAC=00:40:8C:12:34:56;BRAND=AXIS;\n#SSTART1\n", 0),
              0u);
    EXPECT_EQ(upload.find('\r'), std::string::npos) << "upload files use LF only";
    ASSERT_EQ(Run({"convert", Path("alarm_app"), Path("back.kma")}).Status, 0);
    for (const char* copy : {"same.kma", "demo.json"})
        ASSERT_EQ(Run({"convert", Sample(), Path(copy)}).Status, 0) << copy;
    ASSERT_EQ(Run({"convert", Path("demo.json"), Path("fromjson.kma")}).Status, 0);
    EXPECT_EQ(Read("same.kma"), kor::test::ReadBytes(QString::fromStdString(Sample())));
    EXPECT_EQ(Read("fromjson.kma"), Read("same.kma"));

    r = Run({"convert", Sample(), Path("alarm_app"), "--to", "alarm_app", "--input-one-as-sensor", "0"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(Read("alarm_app").find("\n#SSTARTDEF\n"), std::string::npos);
}

TEST_F(KorctlConvert, ShowListsRulesActionsAndMasksPasswords)
{
    CliRun r = Run({"show", Sample()});
    ASSERT_EQ(r.Status, 0) << r.Err;
    for (const char* piece : {"Rule 3 SIMD3", "Rule 100 OTHC100", "Mon 00:00-06:00 18:00-23:59",
                              "Detector: BC=5 S=11111111 MSK=100000"})
        EXPECT_NE(r.Out.find(piece), std::string::npos) << piece << "\n" << r.Out;
    EXPECT_EQ(r.Out.find("ftp-secret"), std::string::npos);

    r = Run({"show", Sample(), "--json"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out.find("ftp-secret"), std::string::npos);
    const QJsonObject root = test::Json(r.Out).object();
    EXPECT_EQ(root[QStringLiteral("format")].toInt(), 1);
    EXPECT_EQ(root[QStringLiteral("passwords")].toString(), QStringLiteral("masked"));
    const QJsonArray rules = root[QStringLiteral("rules")].toArray();
    ASSERT_EQ(rules.size(), 3);
    EXPECT_EQ(rules[1].toObject()[QStringLiteral("tag")].toString(), QStringLiteral("SIMD3"));
    const QJsonObject light = rules[1].toObject()[QStringLiteral("actions")].toArray()[0].toObject();
    EXPECT_EQ(light[QStringLiteral("time_table")].toObject()[QStringLiteral("Sun")].toArray()[0].toString(),
              QStringLiteral("00:00-23:59"));
    EXPECT_EQ(root[QStringLiteral("general")].toObject()[QStringLiteral("CIDHEAD")].toString(),
              QStringLiteral("5000"));

    Write("accents.kma", "#SSTART2\r\n#ACTION=Port\xf3n \x80;TP=0;PARAMS=;TT=;\r\n"
                         "#ACTION=Gate\x1b]0\x07\x9d;TP=0;PARAMS=;TT=;\r\n");
    r = Run({"show", Path("accents.kma")});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_NE(r.Out.find("Port\xc3\xb3n \xe2\x82\xac"), std::string::npos) << "Windows-1252 shown as UTF-8";
    // Control characters of a name never reach the terminal as such.
    EXPECT_NE(r.Out.find("Gate\\x1B]0\\x07\\x9D"), std::string::npos) << r.Out;
    EXPECT_EQ(r.Out.find_first_of(std::string("\x1b\x07", 2)), std::string::npos);
}

// Summaries in the language of --lang (their wording is the catalogue's, tested with the summaries);
// passwords stay masked, also where a password's value looks like a key.
TEST_F(KorctlConvert, ShowSummarisesEachActionInTheChosenLanguage)
{
    Write("two.kma",
          "#SSTART3\r\n"
          "#ACTION=Sirena;TP=0;PARAMS=DISP=1$ON=2$IP=10.0.0.9$PORT=80$USR=root$PWD=aTM=s3cr3t$BRAND=$TM=10S$;"
          "TT=;\r\n"
          "#ACTION=Fotos;TP=8;PARAMS=HOST=ftp.example.com$PORT=21$USER=f$PWD=HOST=s3cr3t$RD=/$;TT=;\r\n");
    const char* const spanish = "Activar y desactivar la salida 1 durante 10S en el dispositivo 10.0.0.9";
    const std::pair<const char*, const char*> cases[] = {
        {"es", spanish}, {"", "Switch on and off output 1 for 10S on device 10.0.0.9"}, {"it", ""}};
    for (const auto& [lang, first] : cases) {
        std::vector<std::string> args = {"show", Path("two.kma")};
        if (*lang)
            args.insert(args.end(), {"--lang", lang});
        const CliRun r = Run(args);
        ASSERT_EQ(r.Status, 0) << r.Err;
        EXPECT_EQ(r.Out.find("s3cr3t"), std::string::npos) << r.Out;
        std::vector<std::string> summaries;
        std::istringstream in(r.Out);
        const std::string label = "      summary: ";
        for (std::string line; std::getline(in, line);)
            if (line.rfind(label, 0) == 0)
                summaries.push_back(line.substr(label.size()));
        ASSERT_EQ(summaries.size(), 2u) << lang;
        EXPECT_NE(summaries[0], "") << lang;
        if (*first) {
            EXPECT_EQ(summaries[0], first);
        }
    }
    const CliRun r = Run({"show", Path("two.kma"), "--json", "--lang", "es"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out.find("s3cr3t"), std::string::npos);
    const QJsonArray actions = test::Json(r.Out)
                                   .object()[QStringLiteral("rules")]
                                   .toArray()[0]
                                   .toObject()[QStringLiteral("actions")]
                                   .toArray();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions[0].toObject()[QStringLiteral("summary")].toString(), QString::fromUtf8(spanish));

    const QByteArray resources = qgetenv("KOR_RESOURCES");
    qputenv("KOR_RESOURCES", m_dir.filePath(QStringLiteral("nothing")).toLocal8Bit());
    const CliRun missing = Run({"show", Path("two.kma"), "--lang", "it"});
    qputenv("KOR_RESOURCES", resources);
    EXPECT_EQ(missing.Status, 1);
    EXPECT_NE(missing.Err.find("Language library error."), std::string::npos) << missing.Err;
    EXPECT_NE(missing.Err.find("DefKorIt.lng"), std::string::npos) << missing.Err;
    EXPECT_TRUE(missing.Out.empty());
}

TEST_F(KorctlConvert, CheckExitsWithOneOnFindings)
{
    Write("clean.kma", "#SSTART3\r\n#ACTION=U;TP=6;PARAMS=;TT=;\r\n#GENERAL;FS=2;FTM=2;FSB=2;FTMB=2;\n\r\n");
    CliRun r = Run({"check", Path("clean.kma")});
    EXPECT_EQ(r.Status, 0) << r.Out << r.Err;
    EXPECT_EQ(r.Out, "No findings.\n");
    Write("mail.kma",
          "#SSTART3\r\n#ACTION=Tell;TP=7;PARAMS=;TT=;\r\n#GENERAL;FS=2;FTM=2;FSB=2;FTMB=2;\n\r\n");
    r = Run({"check", Path("mail.kma"), "--json"});
    EXPECT_EQ(r.Status, 1);
    const QJsonArray findings = test::Json(r.Out).object()[QStringLiteral("findings")].toArray();
    ASSERT_EQ(findings.size(), 1) << r.Out;
    EXPECT_EQ(findings[0].toObject()[QStringLiteral("code")].toString(), QStringLiteral("mail-server-empty"));
    EXPECT_EQ(findings[0].toObject()[QStringLiteral("rule")].toInt(), 3);
}

// Unreadable inputs: convert and show name the file and the reason, print nothing and write nothing.
TEST_F(KorctlConvert, BadInputFailsClearlyAndWritesNothing)
{
    Write("binary.kma", std::string("\x7f"
                                    "ELF\x02\x01\x01\0\0\0",
                                    10));
    Write("toobig.kma", "#SSTART1\r\n#ACTION=a;\r\n#GENERAL;FS=300;\r\n");
    Write("prose.txt", "Dear customer,\nthis is not a configuration.\n");
    QFile huge(QString::fromStdString(Path("huge.kma"))); // sparse: refused by its size, never read
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize((qint64{16} << 20) + 1));
    huge.close();
    const std::pair<std::string, const char*> cases[] = {
        {Path("missing.kma"), "no such file"},    {m_dir.path().toStdString(), "folder"},
        {Path("binary.kma"), "binary"},           {Path("toobig.kma"), "line 3"},
        {Path("prose.txt"), "no configuration"},  {"/dev/zero", "larger than 16 MiB"},
        {Path("huge.kma"), "larger than 16 MiB"},
    };
    for (const auto& [in, mention] : cases) {
        for (std::vector<std::string> args : {std::vector<std::string>{"convert", in, Path("out.kma")},
                                              std::vector<std::string>{"show", in}}) {
            const CliRun r = Run(args);
            EXPECT_EQ(r.Status, 1) << args[0] << " " << in;
            EXPECT_NE(r.Err.find(in), std::string::npos) << r.Err;
            EXPECT_NE(r.Err.find(mention), std::string::npos) << r.Err;
            EXPECT_TRUE(r.Out.empty());
        }
    }
    EXPECT_FALSE(Exists("out.kma"));

    // Targets that are not regular files are refused by every command that writes.
    for (const char* fifo : {"fifo", "fifo.html", "fifo.pdf"})
        ASSERT_EQ(::mkfifo(Path(fifo).c_str(), 0644), 0);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"convert", Sample(), Path("fifo"), "--to", "kma"},
          {"convert", Sample(), Path("fifo"), "--to", "alarm_app"},
          {"report", Sample(), Path("fifo.html")},
          {"report", Sample(), Path("fifo.pdf")}}) {
        const CliRun refused = Run(args);
        EXPECT_EQ(refused.Status, 1) << args[0] << " " << args[2];
        EXPECT_NE(refused.Err.find("FIFO"), std::string::npos) << refused.Err;
    }
}

// Every refusal: exit status 1 for a failed operation, 2 for a usage error (with the command's usage),
// a message that says why, and nothing changed.
TEST_F(KorctlConvert, RefusedCommandsSayWhyAndChangeNothing)
{
    const std::string sample = Sample();
    const auto models = [](std::vector<std::string> extra) {
        std::vector<std::string> args = {"models",     "add", "--name",   "Z-1",
                                         "--channels", "1",   "--folder", "Z1"};
        args.insert(args.end(), extra.begin(), extra.end());
        return args;
    };
    const struct
    {
        std::vector<std::string> Args;
        int Status;
        std::string Message;
    } cases[] = {
        {AddCamera({"--ip", "300.1.1.1"}), 1, "not an IPv4 address"},
        {AddCamera({"--ip", "1.2.3"}), 1, "not an IPv4 address"},
        {AddCamera({"--ip", "010.0.0.1"}), 1, "not an IPv4 address"},
        {AddCamera({"--ip", "0.0.0.0"}), 1, "not an IPv4 address"},
        {AddCamera({"--ip", "camera.example"}), 1, "not an IPv4 address"},
        {AddCamera({"--port", "65536"}), 1, "out of range (1 to 65535)"},
        {AddCamera({"--port", "abc"}), 2, "--port takes a whole number"},
        {AddCamera({"--id", "0"}), 1, "identifier 0 already exists"},
        {AddCamera({"--model", "NOPE"}), 1, "unknown model NOPE"},
        {AddCamera({"--channel", "2"}), 1, "--channel 2: out of range (1 to 1)"},
        {AddCamera({"--mac", "AA:BB:CC:DD:EE"}), 1, "not a MAC address"},
        {AddCamera({"--password", std::string(kSecret) + "\n"}), 1,
         "--password must not hold control characters"},
        {AddCamera({"--name", ""}), 1, "--name must not be empty"},
        {AddCamera({"--positioning", "5"}), 2, "--positioning takes 0 or 1"},
        // Text the single-byte files cannot hold is refused, never stored as "?".
        {AddCamera({"--password", "\xf0\x9f\xa6\x80 \xc3\xb1 \xe2\x82\xac \xe6\xbc\xa2"}), 1,
         "--password: holds characters the single-byte (Windows-1252) files cannot hold: \xf0\x9f\xa6\x80 "
         "(U+1F980), \xe6\xbc\xa2 (U+6F22)"},
        {{"cameras"}, 2, "missing arguments"},
        {{"cameras", "frob"}, 2, "unknown action 'frob'"},
        {{"cameras", "list", "--id", "3"}, 2, "--id does not apply to 'cameras list'"},
        {{"cameras", "list", "extra"}, 2, "no further arguments"},
        {{"cameras", "add", "--id", "7"}, 2, "needs --name"},
        {{"cameras", "remove"}, 2, "needs the camera identifier"},
        {{"cameras", "remove", "0", "--json"}, 2, "--json does not apply"},
        {{"models", "add", "--name", "X", "--folder", "X"}, 2, "needs --channels"},
        {models({"--io", "yes"}), 2, "--io takes 0 or 1"},
        {models({"--name", "DEMO-1"}), 1, "already exists"},
        {models({"--name", "demo-4"}), 1, "already exists"},
        {models({"--folder", ".."}), 1, "one folder name under Data/"},
        {models({"--folder", "a/b"}), 1, "one folder name under Data/"},
        {models({"--programs", "a##b"}), 1, "names of letters"},
        {models({"--programs", "a b"}), 1, "names of letters"},
        {models({"--programs", "@"}), 1, "names of letters"},
        {models({"--channels", "0"}), 1, "out of range"},
        {{}, 2, "Usage: korctl"},
        {{"frobnicate"}, 2, "unknown command 'frobnicate'"},
        {{"convert", sample}, 2, "missing arguments"},
        {{"convert", sample, Path("a.kma"), Path("b.kma")}, 2, "too many arguments"},
        {{"convert", sample, Path("out.txt")}, 2, "Usage: korctl convert"},
        {{"convert", sample, Path("x.kma"), "--to", "zip"}, 2, "Usage: korctl convert"},
        {{"convert", sample, Path("x.kma"), "--port", "eighty"}, 2, "--port takes a whole number"},
        {{"convert", sample, Path("x.kma"), "--input-one-as-sensor", "2"}, 2, "Usage: korctl convert"},
        {{"convert", sample, Path("x.kma"), "--port"}, 2, "option '--port' needs a value"},
        {{"convert", sample, Path("no/such/dir/x.kma")}, 1, "cannot write"},
        {{"convert", sample, Path("alarm_app"), "--to", "alarm_app", "--user", "\xe5\xad\x97"},
         1,
         "--user: holds characters"},
        {{"show", sample, "--bogus"}, 2, "unknown option '--bogus'"},
        {{"show", sample, "--json=yes"}, 2, "option '--json' takes no value"},
        {{"show", sample, "--lang", "fr"}, 2, "--lang"},
        {{"show"}, 2, "missing arguments"},
        {{"report", Path("missing.kma"), Path("x.html")}, 1, "no such file"},
        {{"report", sample, Path("no/such/dir/x.html")}, 1, "cannot write the report"},
        {{"report", sample, Path("x.txt")}, 2, ".html, .htm or .pdf"},
        {{"report", sample}, 2, "missing arguments"},
        {{"apply", "--camera", "0", "--program-code"}, 2, "Usage: korctl apply"},
        {{"apply", "--project", "x.kma"}, 2, "Usage: korctl apply"},
        {{"apply", "--camera", "0"}, 2, "say what to do"},
        {{"--start", "REMOTE#x#127.0.0.1#900#pw#1#901", "apply", "--camera", "0", "--install"}, 1, "relay"},
        {{"apply", "--camera", "0", "--home", "9"}, 1, "--home"},
        {{"apply", "--cameras", "3-1", "--send-config"}, 1, "\"3-1\" is not an id or a range"},
        {{"apply", "--cameras", "0,,2", "--send-config"}, 1, "\"\" is not an id or a range"},
        {{"apply", "--cameras", "0", "--camera", "0", "--send-config"}, 2, "exclude each other"},
        {{"apply", "--camera", "0", "--jobs", "2", "--send-config"}, 2, "--jobs belongs to --cameras"},
        {{"apply", "--cameras", "all", "--jobs", "0", "--send-config"}, 1, "--jobs 0: out of range"},
        {{"download", "--cameras", "all"}, 2, "--into DIR"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Message);
        const CliRun r = Run(c.Args);
        EXPECT_EQ(r.Status, c.Status) << r.Err;
        EXPECT_NE(r.Err.find(c.Message), std::string::npos) << r.Err;
        if (c.Status == 2) {
            EXPECT_NE(r.Err.find("Usage: korctl"), std::string::npos) << r.Err;
        }
    }
    // Every option whose text goes into the configuration, with each separator: refused by name,
    // except "$" where only a parameter value cannot hold it (the camera's credentials are one).
    for (const char* c : {";", "$", "\r", "\n"}) {
        for (const std::string& option :
             std::vector<std::string>{"--user", "--password", "--mac", "--brand"}) {
            const CliRun r = Run({"convert", sample, Path("alarm_app"), "--to", "alarm_app", option,
                                  std::string("a") + c + "b"});
            EXPECT_EQ(r.Status, *c == '$' ? 0 : 1) << option << int(*c);
            EXPECT_EQ(r.Err.find(option + ": cannot hold") != std::string::npos, *c != '$') << r.Err;
        }
        for (const std::string& option : std::vector<std::string>{"--user", "--password", "--brand"}) {
            if (*c == '$' && option == "--brand")
                continue;
            const CliRun r = Run(AddCamera({option, std::string("a") + c + "b"}));
            EXPECT_EQ(r.Status, 1) << option << int(*c);
            EXPECT_EQ(r.Err.rfind("korctl: " + option, 0), 0u) << r.Err;
        }
    }
    EXPECT_EQ(Read("alarm_app").rfind("#USR=;PWD=;PORT=0;MAC=;BRAND=a$b;\n", 0), 0u) << "stored as given";
    EXPECT_TRUE(QFile::remove(QString::fromStdString(Path("alarm_app"))));
    EXPECT_EQ(Run({"cameras", "list"}).Out, "0\tDemo camera\t127.0.0.2\t80\tAXIS\tDEMO-1\n");
    EXPECT_EQ(Run({"models", "list"}).Out.find("Z-1"), std::string::npos);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList({QStringLiteral("orgend.ddd")}));
}

TEST_F(KorctlConvert, HelpAndVersionExitWithZero)
{
    CliRun r = Run({"show", "--version"});
    EXPECT_EQ(r.Status, 0);
    EXPECT_TRUE(r.Out.starts_with("korctl ") && r.Out.ends_with("\n")) << r.Out;
    r = Run({"--help"});
    EXPECT_EQ(r.Status, 0);
    const std::string general = r.Out;
    for (const CommandSpec& command : AllCommands()) {
        EXPECT_NE(general.find(command.Name), std::string::npos);
        r = Run({command.Name, "--help"});
        EXPECT_EQ(r.Status, 0) << command.Name;
        EXPECT_NE(r.Out.find("Usage: korctl " + command.Name), std::string::npos);
    }
}

// Peak resident memory (KiB) of one korctl run, and its exit status. A forked child (not a
// vfork, which would count the test's own peak) starts from the test's present size: the memory
// the test freed goes back first, so that every run starts alike.
std::pair<long, int> PeakOfRun(const std::vector<std::string>& args)
{
    const std::string program = kor::test::BuiltProgram(QStringLiteral("korctl")).toStdString();
    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    ::malloc_trim(0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    if (pid < 0)
        return {-1, -1};
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    return {usage.ru_maxrss, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

// Memory stays within a small multiple of the input for generated inputs up to the size limit,
// and an input without end is refused early.
TEST_F(KorctlConvert, MemoryStaysWithinAMultipleOfTheInput)
{
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "the sanitizer's shadow and quarantine memory are not the program's";
#endif
    Write("tiny.kma", "#SSTART1\r\n#ACTION=a;TP=0;PARAMS=;TT=;\r\n");
    const long base = PeakOfRun({"show", Path("tiny.kma")}).first;
    ASSERT_GT(base, 0);
    constexpr long kMultiple = 6;
    const auto [zeroPeak, zeroStatus] = PeakOfRun({"show", "/dev/zero"});
    EXPECT_EQ(zeroStatus, 1);
    EXPECT_LT(zeroPeak - base, kMultiple * 16 * 1024);

    std::mt19937 random(14);
    const std::vector<std::function<std::string(std::size_t)>> shapes = {
        [](std::size_t size) { // many short actions over every rule
            std::string t;
            for (int rule = 0; t.size() < size; rule = (rule + 1) % 121)
                t += "#SSTART" + std::to_string(rule) + "\r\n#ACTION=a;TP=0;PARAMS=k=1$;TT=#108001230;\r\n";
            return t;
        },
        [](std::size_t size) { // one action of short parameter pairs
            std::string t = "#SSTART3\r\n#ACTION=a;TP=0;PARAMS=";
            while (t.size() < size)
                t += "a=1$";
            return t + ";TT=;\r\n";
        },
        [](std::size_t size) { // a time table of endless intervals
            std::string t = "#SSTART3\r\n#ACTION=a;TP=0;PARAMS=;TT=#1";
            while (t.size() < size)
                t += "08001230";
            return t + ";\r\n";
        },
        [](std::size_t size) { // a general line of short pairs
            std::string t = "#GENERAL;";
            while (t.size() < size)
                t += "X=1;";
            return t + "\r\n";
        },
        [&random](std::size_t size) { // lines of random bytes behind a known keyword
            const char* keys[] = {"#ACTION=", "#SSTART", "#GENERAL;", "#ZELK;", "#"};
            std::string t;
            while (t.size() < size) {
                t += keys[random() % 5];
                for (std::size_t n = random() % 200; n > 0; --n)
                    t += static_cast<char>(1 + random() % 255);
                t += "\n";
            }
            return t;
        },
    };
    for (std::size_t shape = 0; shape < shapes.size(); ++shape) {
        for (const std::size_t size : {std::size_t{1} << 20, (std::size_t{16} << 20) - 4096}) {
            long length = 0;
            {
                const std::string text = shapes[shape](size);
                length = static_cast<long>(text.size());
                Write("big.kma", text);
            }
            const auto [peak, status] = PeakOfRun({"show", Path("big.kma")});
            EXPECT_NE(status, -1);
            EXPECT_LT(peak - base, kMultiple * length / 1024 + 1024)
                << "shape " << shape << ", " << length << " bytes";
        }
    }
}

} // namespace
} // namespace kor::cli
