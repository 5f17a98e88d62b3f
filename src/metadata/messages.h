#pragma once

#include <QLatin1String>

// Every text the metadata readers show or log, in one place. The log lines are
// English diagnostics; the size units are shown in the file list.
namespace kesto::metadatatext {

inline constexpr QLatin1String exifLoad{" Exif Load: "};
inline constexpr QLatin1String exifLoadWalk{" Exif Load: GetDirectoryEntries "};
inline constexpr QLatin1String loadedWord{"True"};
inline constexpr QLatin1String notLoadedWord{"False"};
inline constexpr QLatin1String beforeLoadedWord{"  "};
inline constexpr QLatin1String walkSize{"GetDirectoryEntries: Size "};
inline constexpr QLatin1String walkTrace{"Exif GetDirectoryEntries: "};
inline constexpr QLatin1String walkError{" GetDirectoryEntries: Error during evaluation: "};

inline constexpr QLatin1String faultOverflow{"Number does not fit"};
inline constexpr QLatin1String faultOutOfMemory{"Out of memory"};
inline constexpr QLatin1String faultOutOfRange{"Index outside the file"};
inline constexpr QLatin1String faultNotANumber{"Value is not a number"};
inline constexpr QLatin1String faultLoop{"Directory visited twice"};

inline constexpr QLatin1String unitTera{"TB"};
inline constexpr QLatin1String unitGiga{"GB"};
inline constexpr QLatin1String unitMega{"MB"};
inline constexpr QLatin1String unitKilo{"KB"};
inline constexpr QLatin1String unitByte{"Byte"};

} // namespace kesto::metadatatext
