#pragma once

#include <functional>

class QDialog;

namespace kor {

// Shows a screen modally and returns its result once it is closed. The rule-editing screens open
// each other this way (catalogue -> rule list -> editor -> time table), so that tests can drive the
// whole road without a blocking event loop.
int ShowModalScreen(QDialog* screen);

// While it lives, ShowModalScreen hands every screen to the driver instead of running it: the
// driver works the screen (finding its controls, clicking) and returns; the screen counts as
// closed then. Drivers nest: the last one installed is used, the one before comes back when it
// ends.
class ScopedModalDriver
{
public:
    using Driver = std::function<void(QDialog* screen)>;

    explicit ScopedModalDriver(Driver driver);
    ~ScopedModalDriver();
    ScopedModalDriver(const ScopedModalDriver&) = delete;
    ScopedModalDriver& operator=(const ScopedModalDriver&) = delete;

private:
    Driver m_previous;
};

} // namespace kor
