#include "cli/Korctl.h"

#include "TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sstream>

namespace kor::cli {
namespace {

// One action of each type in rule 3; several carry passwords, one of them shaped like a key.
const char* const kProject =
    "#SSTART3\r\n"
    "#ACTION=Sirena;TP=0;PARAMS=DISP=1$ON=2$IP=10.0.0.9$PORT=80$USR=root$PWD=aTM=s3cr3t$"
    "BRAND=$TM=10S$;TT=;\r\n"
    "#ACTION=Clip;TP=1;PARAMS=PC=10.0.0.5$PA=1$FR=5$TIME=10$;TT=;\r\n"
    "#ACTION=Aviso;TP=2;PARAMS=TLFNO=600111222$SMS=Alarma$;TT=;\r\n"
    "#ACTION=Puerta;TP=3;PARAMS=IP=10.0.0.1$PORT=80$USR=root$PWD=s3cr3t$BRAND=AXIS$"
    "CAMPRESET=Puerta$POSNAME=Puerta$;TT=;\r\n"
    "#ACTION=Cliente;TP=4;PARAMS=CLNT=10.0.0.7$PORT=9034$SEN=3$DESC=x$SND=1$;TT=;\r\n"
    "#ACTION=Remota;TP=5;PARAMS=IP=10.0.0.8$PORT=80$USR=u$PWD=SEN=s3cr3t$DEV=0$SEN=75$;TT=;\r\n"
    "#ACTION=Usuario;TP=6;PARAMS=IP=10.0.0.1$PORT=80$USR=root$PWD=s3cr3t$USRB=vigilante$AC=1$"
    "FR=1$;TT=;\r\n"
    "#ACTION=Correo;TP=7;PARAMS=TO=a@b.es$CC=$SUBJECT=Alarma$MSG=Hola$;TT=;\r\n"
    "#ACTION=Fotos;TP=8;PARAMS=HOST=ftp.example.com$PORT=21$USER=f$PWD=HOST=s3cr3t$RD=/$"
    "PRFX=cam$;TT=;\r\n"
    "#ACTION=CRA;TP=9;PARAMS=EVENTTYPE=1$CIDCODE=130$GID=G01$ZID=Z003$;TT=;\r\n"
    "#GENERAL;FS=2;FTM=2;FSB=2;FTMB=2;SMTPH=;SMTPP=25;SNDADDR=;RPLYADDR=;CIDHEAD=;CLIENTNUM=;"
    "CRAIP=;CRAPORT=;\n\r\n"
    "#ZELK;BC=0;S0=1;S1=1;S2=1;S3=1;S4=1;S5=1;S6=1;S7=1;\r\n";

struct Result
{
    int Status = -1;
    std::string Out;
    std::string Err;
};

class ShowSummary : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The catalogues of the source tree, when the test runs outside ctest.
        m_oldResources = qgetenv("KOR_RESOURCES");
        if (m_oldResources.isEmpty())
            qputenv("KOR_RESOURCES", (test::SourceDir() + QStringLiteral("/resources")).toLocal8Bit());
        m_project = m_dir.filePath(QStringLiteral("all.kma")).toStdString();
        test::WriteBytes(QString::fromStdString(m_project), kProject);
    }

    void TearDown() override
    {
        if (m_oldResources.isEmpty())
            qunsetenv("KOR_RESOURCES");
    }

    Result Korctl(std::vector<std::string> args)
    {
        std::ostringstream out;
        std::ostringstream err;
        Result run;
        run.Status = RunKorctl(args, out, err);
        run.Out = out.str();
        run.Err = err.str();
        return run;
    }

    static std::vector<std::string> Summaries(const std::string& out)
    {
        std::vector<std::string> lines;
        std::istringstream in(out);
        const std::string label = "      summary: ";
        for (std::string line; std::getline(in, line);) {
            if (line.rfind(label, 0) == 0)
                lines.push_back(line.substr(label.size()));
        }
        return lines;
    }

    QTemporaryDir m_dir;
    std::string m_project;
    QByteArray m_oldResources;
};

TEST_F(ShowSummary, OneLinePerActionInTheChosenLanguage)
{
    const std::vector<std::string> spanish = {
        "Activar y desactivar la salida 1 durante 10S en el dispositivo 10.0.0.9",
        "Grabar en el PC 10.0.0.5",
        "SMS a 600111222",
        "Mover la c\xC3\xA1mara a Puerta",
        "Avisar al cliente 10.0.0.7",
        "Alarma a 10.0.0.8 - Sensor 75",
        "Activar el usuario  vigilante (forzado) ",
        "Correo a a@b.es",
        "FTP ftp.example.com",
        "ALARM 130 G01 Z003",
    };
    Result r = Korctl({"show", m_project, "--lang", "es"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(Summaries(r.Out), spanish);
    EXPECT_EQ(r.Out.find("s3cr3t"), std::string::npos) << r.Out;

    r = Korctl({"show", m_project});
    ASSERT_EQ(r.Status, 0) << r.Err;
    const std::vector<std::string> english = Summaries(r.Out);
    ASSERT_EQ(english.size(), 10u);
    EXPECT_EQ(english[0], "Switch on and off output 1 for 10S on device 10.0.0.9") << "English by default";

    for (const char* lang : {"it", "pt"}) {
        r = Korctl({"show", m_project, "--lang", lang});
        ASSERT_EQ(r.Status, 0) << lang << r.Err;
        EXPECT_EQ(Summaries(r.Out).size(), 10u) << lang;
        EXPECT_EQ(r.Out.find("s3cr3t"), std::string::npos) << lang;
    }
}

TEST_F(ShowSummary, JsonCarriesTheSummaries)
{
    const Result r = Korctl({"show", m_project, "--json", "--lang", "es"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out.find("s3cr3t"), std::string::npos);
    const QJsonArray actions = QJsonDocument::fromJson(QByteArray::fromStdString(r.Out))
                                   .object()[QStringLiteral("rules")]
                                   .toArray()[0]
                                   .toObject()[QStringLiteral("actions")]
                                   .toArray();
    ASSERT_EQ(actions.size(), 10);
    EXPECT_EQ(actions[3].toObject()[QStringLiteral("summary")].toString(),
              QString::fromUtf8("Mover la c\xC3\xA1mara a Puerta"));
}

TEST_F(ShowSummary, UnknownLanguageIsAUsageError)
{
    const Result r = Korctl({"show", m_project, "--lang", "fr"});
    EXPECT_EQ(r.Status, 2);
    EXPECT_NE(r.Err.find("--lang"), std::string::npos) << r.Err;
}

TEST_F(ShowSummary, MissingCatalogueFails)
{
    QTemporaryDir empty;
    const QByteArray old = qgetenv("KOR_RESOURCES");
    qputenv("KOR_RESOURCES", empty.path().toLocal8Bit());
    const Result r = Korctl({"show", m_project, "--lang", "it"});
    qputenv("KOR_RESOURCES", old);
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Err.find("Language library error."), std::string::npos) << r.Err;
    EXPECT_NE(r.Err.find("DefKorIt.lng"), std::string::npos) << r.Err;
    EXPECT_TRUE(r.Out.empty());
}

} // namespace
} // namespace kor::cli
