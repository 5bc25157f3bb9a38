// Diagnostic log of the USB sensor library, for the people who debug real hardware: with the
// environment variable VORNIK_DEBUG set (to anything but "" or "0"; read once), attaches,
// detaches, failed transfers, data sheet refusals and library load failures go to standard
// error, one line each, prefixed with "vornik: ".
#pragma once

#if defined(__GNUC__)
#define VORNIK_PRINTF(F, A) __attribute__((format(printf, F, A)))
#else
#define VORNIK_PRINTF(F, A)
#endif

namespace vornik::diagnostics {

inline constexpr const char* kVariable = "VORNIK_DEBUG";

// Whether the log is on (the variable is read the first time this is asked).
bool enabled();
// One line when the log is on.
void log(const char* format, ...) VORNIK_PRINTF(1, 2);
// One line whether the log is on or not (a configuration error the user must see).
void warn(const char* format, ...) VORNIK_PRINTF(1, 2);

}  // namespace vornik::diagnostics
