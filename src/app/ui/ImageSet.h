#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

namespace kor {

// The program's shared images, by key. A PNG or SVG of that name in the resources' images/ folder
// (images/<key>.png) replaces the drawn one, so a skin can bring its own.
//
// Keys: tool bar "new", "open", "download", "save", "print", "report", "assistant"; tool list
// "main", "sensors", "zelk", "transfer"; lists "arrowdown", "del". An unknown key gives a neutral
// square, never a null icon.
class ImageSet
{
public:
    static QIcon Icon(const QString& key);
    static QStringList Keys();
};

} // namespace kor
