#include "app/ui/FrmDoc.h"

#include "app/Language.h"
#include "app/ReportFile.h"
#include "app/ui/ReportPrintDialog.h"
#include "config/ParamString.h"
#include "device/Clock.h"

#include "SessionFixture.h"
#include "TestSupport.h"

#include <QDir>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace kor {
namespace {

// Stands in for the print dialog: "prints" to a PDF file, or cancels.
class FakePrintDialog : public ReportPrintDialog
{
public:
    bool ChoosePrinter(QPrinter& printer, QWidget*) override
    {
        ++Calls;
        if (OutputFile.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(OutputFile);
        return true;
    }

    QString OutputFile;
    int Calls = 0;
};

// A report is dated by the session's clock; this one stands still.
class FixedClock final : public Clock
{
public:
    void SleepMs(int) override {}
    std::chrono::system_clock::time_point Now() const override
    {
        return std::chrono::system_clock::time_point(std::chrono::seconds(1800000000));
    }
};

class FrmDocTest : public test::SessionFixture
{
protected:
    void SetUp() override
    {
        SessionFixture::SetUp();
        m_session.Services().Wait = &m_clock;
        ActionRecord light;
        light.Type = ActOutput;
        light.Name = "Door <light>";
        AppendParam(light.Params, "DISP", "1");
        AppendParam(light.Params, "ON", "2");
        light.TimeTable.Append(3, Interval{{8, 0, 0}, {12, 30, 0}});
        Doc().AddAction(3, light);
    }

    QString File(const QString& name) const { return m_dir.filePath(name); }
    static std::string Head(const QString& path, std::size_t n) { return test::ReadBytes(path).substr(0, n); }

    FixedClock m_clock;
};

// The page is built on a worker; the screen shows it once it is ready, and builds it again from the
// document as it is now.
TEST_F(FrmDocTest, ShowsTheReportItBuiltIntoTheWorkFolder)
{
    FrmDoc screen(m_session);
    screen.WaitUntilShown();
    QString text = screen.Page()->toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("(Door <light>)"))) << text.toStdString();
    EXPECT_EQ(screen.ReportPath(), File(QStringLiteral("xdoc.html")));
    EXPECT_EQ(test::ReadBytes(screen.ReportPath()),
              ReportFile::Build(m_session.Document(), LangTextBytes, u"en"_qs, screen.Header()));
    EXPECT_TRUE(text.contains(QString::fromStdString(ReportFile::MadeAtText(m_clock.Now()))));

    m_session.Document().MarkDeleted(3, 0);
    ActionRecord mail;
    mail.Type = ActMail;
    mail.Name = "Tell the office";
    m_session.Document().AddAction(9, mail);
    screen.Reload();
    EXPECT_FALSE(screen.IsShown()) << "the new page is not ready yet";
    screen.WaitUntilShown();
    text = screen.Page()->toPlainText();
    EXPECT_FALSE(text.contains(QStringLiteral("Door")));
    EXPECT_TRUE(text.contains(QStringLiteral("(Tell the office)")));
}

TEST_F(FrmDocTest, PrintAndPdfGoThroughTheirDialogs)
{
    FrmDoc screen(m_session);
    FakePrintDialog dialog;
    screen.SetPrintDialog(&dialog);
    EXPECT_FALSE(screen.PrintReport()); // cancelled: nothing printed
    dialog.OutputFile = File(QStringLiteral("printed.pdf"));
    QTest::mouseClick(screen.findChild<QPushButton*>(QStringLiteral("CmdPrint")), Qt::LeftButton);
    EXPECT_EQ(dialog.Calls, 2);
    EXPECT_EQ(Head(dialog.OutputFile, 5), "%PDF-");

    m_dialogs.QueueFile(QString()); // cancelled
    EXPECT_FALSE(screen.ExportPdf());
    m_dialogs.QueueFile(File(QStringLiteral("report"))); // the suffix is added
    EXPECT_TRUE(screen.ExportPdf());
    EXPECT_EQ(Head(File(QStringLiteral("report.pdf")), 5), "%PDF-");
    m_dialogs.QueueFile(File(QStringLiteral("no/such/folder/r.pdf")));
    QTest::mouseClick(screen.findChild<QPushButton*>(QStringLiteral("CmdPdf")), Qt::LeftButton);
    ASSERT_EQ(m_dialogs.Messages().size(), 1);
    EXPECT_EQ(m_dialogs.History().back().Icon, MessageIcon::Critical);
    EXPECT_TRUE(m_dialogs.Messages().front().contains(QStringLiteral("r.pdf")));
}

TEST_F(FrmDocTest, WithoutALanguageThePageIsEmpty)
{
    FreeLanguage(); // no language code: no template to read
    FrmDoc screen(m_session);
    screen.WaitUntilShown();
    EXPECT_TRUE(screen.Page()->toPlainText().trimmed().isEmpty());
    EXPECT_TRUE(QFile::exists(screen.ReportPath()));
}

} // namespace
} // namespace kor
