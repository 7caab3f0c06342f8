#include "rules/ui/ModalScreens.h"

#include <QDialog>

namespace kor {

namespace {

ScopedModalDriver::Driver& CurrentDriver()
{
    static ScopedModalDriver::Driver driver;
    return driver;
}

} // namespace

int ShowModalScreen(QDialog* screen)
{
    if (!screen)
        return QDialog::Rejected;
    if (const ScopedModalDriver::Driver& driver = CurrentDriver()) {
        // A copy: the driver may install another one while it works the screen.
        const ScopedModalDriver::Driver work = driver;
        screen->setResult(QDialog::Rejected);
        work(screen);
        screen->hide();
        return screen->result();
    }
    return screen->exec();
}

ScopedModalDriver::ScopedModalDriver(Driver driver) : m_previous(std::move(CurrentDriver()))
{
    CurrentDriver() = std::move(driver);
}

ScopedModalDriver::~ScopedModalDriver()
{
    CurrentDriver() = std::move(m_previous);
}

} // namespace kor
