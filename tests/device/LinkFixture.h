#pragma once

#include "FakeDevice.h"

#include "device/DeviceLink.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace kor::test {

// A device link over fakes: a camera at 10.0.0.5:8080 (root/pass), model DEMO with its application
// files in a temporary Data folder.
class LinkFixture : public ::testing::Test
{
protected:
    LinkFixture();

    DeviceLink& Link();
    DeviceLink::RunResult Run(const LinkOptions& options);
    void AddDataFile(const QString& relative, const std::string& bytes = "x");
    // The lines logged, as one text.
    std::string LogText() const { return Host.Joined(); }
    ActionRecord Action() const;

    QTemporaryDir Work;
    QTemporaryDir Data;
    FakeHttp Http;
    FakeFtp Ftp;
    FakePinger Ping;
    FakeClock Clock;
    RecordingHost Host;
    LinkSubject Subject;
    LinkFields Fields{"10.0.0.5", "8080", "root", "pass"};
    ConfigDocument Doc;
    bool TaskListDirty = false;

private:
    std::unique_ptr<DeviceLink> m_link;
};

} // namespace kor::test
