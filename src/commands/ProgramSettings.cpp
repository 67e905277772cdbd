#include "commands/ProgramSettings.h"

#include "base/IniFile.h"
#include "base/ProgramPaths.h"
#include "base/TranslationManager.h"
#include "document/GraphDocument.h"

#include <QFont>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>

namespace {

const QString Section = QStringLiteral("MainSetting");
constexpr int MaxRecentFiles = 6;

// The integer keys in file order with their defaults; sizes with the range outside of
// which a stored value is taken as damage.
struct IntKey {
    const char* key;
    int def;
    int min = INT_MIN;
    int max = INT_MAX;
};

int ReadInt(const IniFile& ini, const IntKey& key)
{
    const int value = ini.ReadInteger(Section, QString::fromLatin1(key.key), key.def);
    return value < key.min || value > key.max ? key.def : value;
}

constexpr int MaxPenSize = 100;
constexpr int MaxFontSize = 1000;
constexpr int MaxVertexSize = 1000;

const IntKey ActDugePenColor{"ActDugePenColor", 0x008000};
const IntKey ActDugeTextColor{"ActDugeTextColor", 0x008000};
const IntKey ActDugePenSize{"ActDugePenSize", 2, 0, MaxPenSize};
const IntKey ActGrafPenColor{"ActGrafPenColor", 0};
const IntKey ActGrafTextColor{"ActGrafTextColor", 0xFFFFFF};
const IntKey ActGrafBrushColor{"ActGrafBrushColor", 0x0000FF};
const IntKey NormalDugePenColor{"NormalDugePenColor", 0x808080};
const IntKey NormalDugeTextColor{"NormalDugeTextColor", 0x808080};
const IntKey NormalDugePenSize{"NormalDugePenSize", 2, 0, MaxPenSize};
const IntKey NormalGrafPenColor{"NormalGrafPenColor", 0x808080};
const IntKey NormalGrafTextColor{"NormalGrafTextColor", 0xFF0000};
const IntKey NormalGrafBrushColor{"NormalGrafBrushColor", 0xFFFFFF};
const IntKey VertexSize{"SizeGraf", 10, 1, MaxVertexSize};
const IntKey ZoomMap{"ZoomMap", 10};
const IntKey ShowMatrixWindow{"ShowMatrixWindow", 1};
const IntKey CountRun{"CountRun", 0};
const IntKey ViewZoom{"ViewZoom", 100, 25, 400};
const IntKey UndoSteps{"UndoSteps", 100, 1, 1000};
const IntKey SizeLabel{"SizeLabel", 10, 1, MaxFontSize};
const IntKey ColorLabel{"ColorLabel", 0};
const IntKey ColorBackgroundLabel{"ColorBackgroundLabel", 0xFFFFFF};
const IntKey StyleLabel{"StyleLabel", 0};
const IntKey ActiveSizeLabel{"ActiveSizeLabel", 10, 1, MaxFontSize};
const IntKey ActiveColorLabel{"ActiveColorLabel", 0xFFFFFF};
const IntKey ActiveColorBackgroundLabel{"ActiveColorBackgroundLabel", 0x0000FF};
const IntKey ActStyleLabel{"ActStyleLabel", 0};

// Each setting of the look beside the field it fills: loading and saving read this one list.
struct StyleSetting {
    const IntKey& key;
    int& (*field)(DrawingStyle&);
};
const StyleSetting StyleSettings[] = {
    {ActDugePenColor, [](DrawingStyle& s) -> int& { return s.ActiveArc.PenColor; }},
    {ActDugeTextColor, [](DrawingStyle& s) -> int& { return s.ActiveArc.TextColor; }},
    {ActDugePenSize, [](DrawingStyle& s) -> int& { return s.ActiveArc.PenSize; }},
    {ActGrafPenColor, [](DrawingStyle& s) -> int& { return s.ActiveVertex.PenColor; }},
    {ActGrafTextColor, [](DrawingStyle& s) -> int& { return s.ActiveVertex.TextColor; }},
    {ActGrafBrushColor, [](DrawingStyle& s) -> int& { return s.ActiveVertex.BrushColor; }},
    {NormalDugePenColor, [](DrawingStyle& s) -> int& { return s.NormalArc.PenColor; }},
    {NormalDugeTextColor, [](DrawingStyle& s) -> int& { return s.NormalArc.TextColor; }},
    {NormalDugePenSize, [](DrawingStyle& s) -> int& { return s.NormalArc.PenSize; }},
    {NormalGrafPenColor, [](DrawingStyle& s) -> int& { return s.NormalVertex.PenColor; }},
    {NormalGrafTextColor, [](DrawingStyle& s) -> int& { return s.NormalVertex.TextColor; }},
    {NormalGrafBrushColor, [](DrawingStyle& s) -> int& { return s.NormalVertex.BrushColor; }},
};

QString Key(const char* key)
{
    return QString::fromLatin1(key);
}

} // namespace

ProgramSettings::ProgramSettings(TranslationManager& translator) : translator(translator)
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        DefaultFontFace = QGuiApplication::font().family();
    if (DefaultFontFace.isEmpty())
        DefaultFontFace = QStringLiteral("Arial");
}

QString ProgramSettings::FileName()
{
    return ProgramPaths::ProgramFolder() + QStringLiteral("/setting.ini");
}

bool ProgramSettings::LoadSettings(GraphDocument& graf, UserPrompts& prompts, bool withLanguage)
{
    const IniFile ini(FileName());

    for (const StyleSetting& setting : StyleSettings)
        setting.field(graf.Style()) = ReadInt(ini, setting.key);

    const QString background = ini.ReadString(Section, QStringLiteral("backgroundImage"), QString());
    graf.VertexSize = ReadInt(ini, VertexSize);
    graf.LoadBackground(background, prompts);

    graf.ZoomMap = ReadInt(ini, ZoomMap);
    graf.MapMode = 0;

    const bool showMatrix = ReadInt(ini, ShowMatrixWindow) == 1;
    graf.ShowMatrixWindow = showMatrix ? 1 : 0;

    CountRun = ReadInt(ini, ::CountRun);
    ViewZoom = ReadInt(ini, ::ViewZoom);
    UndoSteps = ReadInt(ini, ::UndoSteps);
    TextStyle& normal = graf.NormalLabelStyle;
    normal.Size = ReadInt(ini, SizeLabel);
    normal.Color = ReadInt(ini, ColorLabel);
    normal.ColorBackground = ReadInt(ini, ColorBackgroundLabel);
    normal.Style = quint8(ReadInt(ini, StyleLabel));
    normal.Face = ini.ReadString(Section, QStringLiteral("FaceLabel"), DefaultFontFace);
    TextStyle& active = graf.ActiveLabelStyle;
    active.Size = ReadInt(ini, ActiveSizeLabel);
    active.Color = ReadInt(ini, ActiveColorLabel);
    active.ColorBackground = ReadInt(ini, ActiveColorBackgroundLabel);
    active.Style = quint8(ReadInt(ini, ActStyleLabel));
    active.Face = ini.ReadString(Section, QStringLiteral("ActFaceLabel"), DefaultFontFace);
    // An empty face would leave the choice of font to chance.
    if (normal.Face.trimmed().isEmpty())
        normal.Face = DefaultFontFace;
    if (active.Face.trimmed().isEmpty())
        active.Face = DefaultFontFace;

    if (withLanguage) {
        const QString language =
            ini.ReadString(Section, QStringLiteral("Lang"), TranslationManager::DefaultLanguageFile());
        if (language.isEmpty())
            translator.UseBuiltIn();
        else
            translator.LoadLanguage(language);
    }

    return showMatrix;
}

QStringList ProgramSettings::LoadRecentFiles() const
{
    const IniFile ini(FileName());
    QStringList files;
    for (int i = 0; i < MaxRecentFiles; ++i) {
        const QString file =
            ini.ReadString(Section, QStringLiteral("LastFile") + QString::number(i), QString());
        if (!file.isEmpty())
            files.append(file);
    }
    return files;
}

void ProgramSettings::LoadLastFolder()
{
    const IniFile ini(FileName());
    LastFolder = ini.ReadString(Section, QStringLiteral("LastFolder"), QString());
}

WindowPlacement ProgramSettings::DefaultPlacement(const QSize& screen)
{
    // Halves to even, as everywhere the program rounds.
    WindowPlacement placement;
    placement.X = std::max(0, int(std::nearbyint(screen.width() / 2.0 - 350)));
    placement.Y = std::max(0, int(std::nearbyint(screen.height() / 2.0 - 300)));
    return placement;
}

WindowPlacement ProgramSettings::LoadWindowPlacement(const QList<QRect>& screens) const
{
    const QSize primary = screens.isEmpty() ? QSize(1024, 768) : screens.first().size();
    const WindowPlacement def = DefaultPlacement(primary);
    const IniFile ini(FileName());
    WindowPlacement placement;
    placement.X = ini.ReadInteger(Section, QStringLiteral("FormPosX"), def.X);
    placement.Y = ini.ReadInteger(Section, QStringLiteral("FormPosY"), def.Y);
    placement.Width = ini.ReadInteger(Section, QStringLiteral("FormWidth"), def.Width);
    placement.Height = ini.ReadInteger(Section, QStringLiteral("FormHeight"), def.Height);
    if (placement.Width < 1)
        placement.Width = def.Width;
    if (placement.Height < 1)
        placement.Height = def.Height;
    placement.ResultsHeight =
        std::max(60, ini.ReadInteger(Section, QStringLiteral("ResultsHeight"), def.ResultsHeight));
    return BringOnScreen(placement, screens);
}

WindowPlacement ProgramSettings::BringOnScreen(const WindowPlacement& placement, const QList<QRect>& screens)
{
    if (screens.isEmpty())
        return placement;
    // The screen that holds the title bar where it is grabbed, else the first; 64-bit so that
    // stored extremes cannot overflow.
    const qint64 grabX = qint64(placement.X) + placement.Width / 2;
    const qint64 grabY = qint64(placement.Y) + 10;
    QRect target = screens.first();
    for (const QRect& screen : screens)
        if (grabX >= screen.left() && grabX <= screen.right() && grabY >= screen.top() &&
            grabY <= screen.bottom()) {
            target = screen;
            break;
        }
    // Wholly on that screen: a size kept from a larger screen or another scale would put the
    // window's edges, and the drawing's scroll bars, out of reach.
    WindowPlacement moved = placement;
    moved.Width = std::min(placement.Width, target.width());
    moved.Height = std::min(placement.Height, target.height());
    moved.X = std::clamp(placement.X, target.left(), target.left() + target.width() - moved.Width);
    moved.Y = std::clamp(placement.Y, target.top(), target.top() + target.height() - moved.Height);
    return moved;
}

bool ProgramSettings::SaveSettings(const GraphDocument& graf, const QStringList& recentFiles,
                                   const WindowPlacement& mainWindow, bool matrixWindowVisible,
                                   QString* error) const
{
    IniFile ini(FileName());
    auto put = [&ini](const IntKey& key, int value) { ini.WriteInteger(Section, Key(key.key), value); };
    auto putString = [&ini](const char* key, const QString& value) {
        ini.WriteString(Section, Key(key), value);
    };

    DrawingStyle look = graf.Style();
    for (const StyleSetting& setting : StyleSettings)
        put(setting.key, setting.field(look));
    put(VertexSize, graf.VertexSize);
    putString("backgroundImage", graf.BackgroundFile);
    put(ZoomMap, graf.ZoomMap);
    put(ShowMatrixWindow, matrixWindowVisible ? 1 : 0);
    put(::CountRun, CountRun);
    const TextStyle& normal = graf.NormalLabelStyle;
    put(SizeLabel, normal.Size);
    put(ColorLabel, normal.Color);
    put(ColorBackgroundLabel, normal.ColorBackground);
    put(StyleLabel, normal.Style);
    putString("FaceLabel", normal.Face);
    const TextStyle& active = graf.ActiveLabelStyle;
    put(ActiveSizeLabel, active.Size);
    put(ActiveColorLabel, active.Color);
    put(ActiveColorBackgroundLabel, active.ColorBackground);
    put(ActStyleLabel, active.Style);
    putString("ActFaceLabel", active.Face);
    ini.WriteInteger(Section, QStringLiteral("FormPosX"), mainWindow.X);
    ini.WriteInteger(Section, QStringLiteral("FormPosY"), mainWindow.Y);
    ini.WriteInteger(Section, QStringLiteral("FormWidth"), mainWindow.Width);
    ini.WriteInteger(Section, QStringLiteral("FormHeight"), mainWindow.Height);
    putString("Lang", translator.CurrentLanguageFile());
    // Higher-numbered keys of a longer earlier list stay; reading skips nothing but empties.
    const int count = std::min(int(recentFiles.size()), MaxRecentFiles);
    for (int i = 0; i < count; ++i)
        ini.WriteString(Section, QStringLiteral("LastFile") + QString::number(i), recentFiles[i]);
    ini.WriteInteger(Section, QStringLiteral("ResultsHeight"), mainWindow.ResultsHeight);
    if (!LastFolder.isEmpty())
        ini.WriteString(Section, QStringLiteral("LastFolder"), LastFolder);
    put(::ViewZoom, ViewZoom);
    put(::UndoSteps, UndoSteps);
    return ini.UpdateFile(error);
}
