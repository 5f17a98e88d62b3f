#pragma once

#include <QString>

// The user-interface settings that survive a run: an INI file "Quarvel.conf" in
// the per-user configuration folder, group "Kesto". Window placement is kept
// in twips (15 twips = 1 device-independent pixel); the rules that decide what
// of a stored placement is used are pure functions, so the window only
// converts units and applies the result.

namespace kesto {

inline constexpr double TwipsPerPixel = 15;

/// The full path of the settings file.
QString SettingsFile();

/// Stores \a value under \a key.
void SaveSettingValue(const QString &key, const QString &value);

/// The stored text of \a key, or \a defaultValue when there is none.
QString GetSettingValue(const QString &key, const QString &defaultValue);

/// The stored tooltip switch ("ToolTips"): 0 off, 1 on; 1 when none is stored
/// or the stored text is no 16-bit number.
int StoredToolTips();

/// The stored font size of the file list ("ListFontSize"); 8 when none is
/// stored or the stored text is no 32-bit number.
int StoredListFontSize();

/// Outer edges and size of the main window in twips; -1 where nothing is stored.
struct Placement
{
    double top = -1;
    double left = -1;
    double width = -1;
    double height = -1;

    friend bool operator==(const Placement &, const Placement &) = default;
};

/// The geometry to give the window, in twips.
struct WindowGeometry
{
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    bool centred = false; ///< the stored position was not usable

    friend bool operator==(const WindowGeometry &, const WindowGeometry &) = default;
};

/// Reads "_Top", "_Left", "_Width", "_Height" as single-precision numbers;
/// a missing or unreadable one is -1.
Placement LoadStoredPlacement();

/// Stores the placement under "_Top", "_Left", "_Width", "_Height", in this order.
void SaveWindowPlacement(const Placement &placement);

/// Where a window designed with the given size goes on a screen of the given
/// size: the stored position if it lies on the screen, with each stored extent
/// that keeps the window on the screen; else centred in its designed size.
WindowGeometry RestoreWindowPlacement(const Placement &stored, double designedWidth,
                                      double designedHeight, double screenWidth,
                                      double screenHeight);

/// A window of the given size centred on the screen; a window larger than the
/// screen gets a negative position.
WindowGeometry CenterWindow(double width, double height, double screenWidth, double screenHeight);

} // namespace kesto
