#include "CliRun.h"

#include "cli/Korctl.h"

#include <sstream>

namespace kor::cli::test {

void KorctlTest::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    m_db = Path("orgend.ddd");
}

CliRun KorctlTest::Run(std::vector<std::string> args)
{
    args.insert(args.begin(), {"--database", m_db});
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.Status = RunKorctl(args, out, err);
    run.Out = out.str();
    run.Err = err.str();
    EXPECT_EQ(run.Out.find(kSecret), std::string::npos) << "password printed: " << run.Out;
    EXPECT_EQ(run.Err.find(kSecret), std::string::npos) << "password printed: " << run.Err;
    return run;
}

std::vector<std::string> KorctlTest::AddCamera(std::vector<std::string> extra)
{
    std::vector<std::string> args = {"cameras",    "add",       "--id",    "7",    "--name",  "Gate",
                                     "--ip",       "127.0.0.4", "--port",  "80",   "--user",  "op",
                                     "--password", kSecret,     "--brand", "AXIS", "--model", "DEMO-1"};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
}

} // namespace kor::cli::test
