#pragma once

#include <QIcon>
#include <QString>

namespace kor {

// The program's shared images, by key: the SVG pictures built into the program (icons/<key>.svg
// among its Qt resources). A PNG or SVG of that name in the resources' images/ folder on disk
// replaces the built-in one, so a skin can bring its own.
//
// Keys: tool bar "new", "open", "download", "save", "print", "report", "assistant"; tool list
// "main", "sensors", "zelk", "transfer"; lists "add", "del"; event sources
// "source1" to "source14". An unknown key gives a neutral square, never a null icon.
class ImageSet
{
public:
    static QIcon Icon(const QString& key);
};

} // namespace kor
