#include "storage/settings.h"

#include <QSettings>
#include <QStandardPaths>

#include <cmath>

namespace kesto {

namespace {

QString group()
{
    return QStringLiteral("Kesto");
}

double storedEdge(const QString &key)
{
    bool ok = false;
    const float value = GetSettingValue(key, QStringLiteral("-1")).toFloat(&ok);
    return ok ? value : -1;
}

QString numberText(double value)
{
    // Whole numbers without a fraction ("1350"); single precision has 7 digits.
    return QString::number(value, 'g', 7);
}

// (difference, rounded half to even) divided by 2, the fraction dropped.
double halfOfRounded(double difference)
{
    return std::trunc(std::nearbyint(difference) / 2);
}

} // namespace

QString SettingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Quarvel.conf");
}

void SaveSettingValue(const QString &key, const QString &value)
{
    QSettings settings(SettingsFile(), QSettings::IniFormat);
    settings.beginGroup(group());
    // Every start writes back what it has just read; rewriting the file then
    // would change nothing but its layout, and costs the start its time.
    if (settings.contains(key) && settings.value(key).toString() == value)
        return;
    settings.setValue(key, value);
    settings.endGroup();
    settings.sync();
}

QString GetSettingValue(const QString &key, const QString &defaultValue)
{
    QSettings settings(SettingsFile(), QSettings::IniFormat);
    settings.beginGroup(group());
    return settings.value(key, defaultValue).toString();
}

int StoredToolTips()
{
    bool ok = false;
    const short value =
        GetSettingValue(QStringLiteral("ToolTips"), QStringLiteral("1")).trimmed().toShort(&ok);
    return ok ? value : 1;
}

int StoredListFontSize()
{
    bool ok = false;
    const int value =
        GetSettingValue(QStringLiteral("ListFontSize"), QStringLiteral("8")).trimmed().toInt(&ok);
    return ok ? value : 8;
}

Placement LoadStoredPlacement()
{
    Placement p;
    p.top = storedEdge(QStringLiteral("_Top"));
    p.left = storedEdge(QStringLiteral("_Left"));
    p.width = storedEdge(QStringLiteral("_Width"));
    p.height = storedEdge(QStringLiteral("_Height"));
    return p;
}

void SaveWindowPlacement(const Placement &placement)
{
    SaveSettingValue(QStringLiteral("_Top"), numberText(placement.top));
    SaveSettingValue(QStringLiteral("_Left"), numberText(placement.left));
    SaveSettingValue(QStringLiteral("_Width"), numberText(placement.width));
    SaveSettingValue(QStringLiteral("_Height"), numberText(placement.height));
}

WindowGeometry RestoreWindowPlacement(const Placement &stored, double designedWidth,
                                      double designedHeight, double screenWidth,
                                      double screenHeight)
{
    // Written so that NaN, which fails every comparison, is never usable.
    const bool usable = stored.top >= 0 && stored.left >= 0 && stored.top < screenHeight &&
                        stored.left < screenWidth;
    if (!usable)
        return CenterWindow(designedWidth, designedHeight, screenWidth, screenHeight);
    WindowGeometry g;
    g.top = stored.top;
    g.left = stored.left;
    const bool heightFits = stored.top + stored.height <= screenHeight && stored.height > 0;
    const bool widthFits = stored.left + stored.width <= screenWidth && stored.width > 0;
    g.height = heightFits ? stored.height : designedHeight;
    g.width = widthFits ? stored.width : designedWidth;
    return g;
}

WindowGeometry CenterWindow(double width, double height, double screenWidth, double screenHeight)
{
    WindowGeometry g;
    g.left = halfOfRounded(screenWidth - width);
    g.top = halfOfRounded(screenHeight - height);
    g.width = width;
    g.height = height;
    g.centred = true;
    return g;
}

} // namespace kesto
