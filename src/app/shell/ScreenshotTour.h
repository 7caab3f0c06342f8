#pragma once

#include <QString>
#include <QStringList>

namespace kor {

class ScreenRegistry;

// Takes a picture of every registered screen, offscreen, with the sample project loaded and the
// demo camera of a fresh companion database: OutDir/<language>/<ScreenName>.png.
struct TourOptions
{
    QString OutDir;
    QStringList Languages{QStringLiteral("en"), QStringLiteral("es")};
    QString Project; // default: the resources' samples/demo.kma
    // Only the screens of these names (all when empty).
    QStringList Only;
};

// Returns the number of pictures that could not be taken (0 on success); progress and failures
// go to standard error.
int RunScreenshotTour(const ScreenRegistry& screens, const TourOptions& options);

} // namespace kor
