#pragma once

#include "app/AppSession.h"
#include "app/ScriptedDialogs.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace kor::test {

// A string list from Latin-1 literals.
inline QStringList Strings(const std::vector<const char*>& texts)
{
    QStringList list;
    for (const char* text : texts)
        list << QLatin1String(text);
    return list;
}

// The program-wide session of the screens' tests (rule editing and action editors): English texts, a fresh
// companion database with camera 0 (model with every capability, four camera events, one channel), a document
// as after start-up with input 1 as a sensor, an empty action clipboard and scripted dialogs.
class SessionFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Gives camera 0 a model profile of its own with these values and loads it again.
    void UseModel(std::uint32_t capabilityFlags, std::int16_t cameraEvents, std::int16_t channels = 1);
    // Points camera 0 at another address (the simulated camera) and loads it again.
    void UseCamera(const std::string& address, int port, const std::string& user, const std::string& password,
                   std::uint8_t channel = 1);

    ConfigDocument& Doc() { return m_session.Document(); }

    template <typename T> T* Find(QWidget& screen, const char* name)
    {
        T* control = screen.findChild<T*>(QLatin1String(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }

    ScriptedDialogs m_dialogs;
    AppSession m_session{m_dialogs};
    QTemporaryDir m_dir;

private:
    void LoadCamera();
    int m_models = 0;
};

} // namespace kor::test
