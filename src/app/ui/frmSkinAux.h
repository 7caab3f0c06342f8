#pragma once

#include <QIcon>
#include <QString>
#include <QWidget>

namespace kor {

// The hidden skin host: it gives the program its look and holds the shared image set.
//
// The skin file is "veltrix.skn" among the resources: a Qt style sheet. A colour scheme
// ("NormalOrange.ini" at start) is an INI file beside it whose KEY=VALUE lines replace "@KEY" in
// the sheet. Without a skin file the program runs in the Fusion style.
class frmSkinAux : public QWidget
{
    Q_OBJECT

public:
    static constexpr const char* kSkinFileName = "veltrix.skn";
    static constexpr const char* kDefaultScheme = "NormalOrange.ini";

    explicit frmSkinAux(QWidget* parent = nullptr);
    ~frmSkinAux() override;

    // Sets the Fusion style, then applies the skin file with the default scheme when it exists.
    void Load();
    // Applies the skin file with the given scheme; any failure is ignored (returns false).
    bool LoadSkin(const QString& scheme);
    bool Skinned() const { return m_skinned; }

    // The shared image set (ImageSet); usable without a skin host.
    static QIcon Icon(const QString& key);

    // The style sheet text of a skin file with a scheme's values put in (pure, for tests).
    static QString ApplyScheme(const QString& sheet, const QString& schemeText);

private:
    bool m_skinned = false;
};

} // namespace kor
