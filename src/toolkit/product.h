#pragma once

// The program's name and version as shown in titles and on the splash.
inline constexpr const char* kProductName = "Qarvel";
inline constexpr const char* kProductVersion = "1.60";
inline constexpr const char* kReleaseDate = "August 2017";
// Where players send crash reports (the file "qarvel.error").
inline constexpr const char* kSupportAddress = "support@ternwick.example";
