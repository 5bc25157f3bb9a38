/*
 * SPDX-License-Identifier: MIT
 * qtl_pilote.h - the contract between Quantrel and a driver library ("pilote").
 *
 * A driver is a shared library (a .dll on Windows, a .so elsewhere) that exports plain C
 * functions. The program loads it by path, looks the functions up by exact name (case
 * matters) and calls them on its user-interface thread only, one call at a time. A
 * reading call may arrive while a calibration call of the same driver is still running
 * (the program keeps refreshing its readout while a driver dialog is open).
 *
 * Calling convention: every entry point is declared with QTL_PILOTE_CALL, the standard
 * calling convention of exported functions on 32-bit Windows (__stdcall: arguments pushed
 * right to left, removed by the callee; a double result comes back on the floating-point
 * stack). Elsewhere it is the platform's C convention. On 32-bit Windows export the names
 * undecorated (a .def file, or /EXPORT:stdead=_stdead@4), since the program looks up
 * "stdead", never "_stdead@4".
 *
 * Texts: every text argument and result is a zero-terminated string of 8-bit characters in
 * the Windows-1252 code page.
 *  - A text the driver returns stays owned by the driver: the program copies it at once and
 *    never frees it nor keeps the pointer. A static buffer is fine. A null pointer is read
 *    as an empty text.
 *  - A text the program passes stays owned by the program and is valid only during the call;
 *    it is never a null pointer (an empty text is passed as "").
 *
 * Integers: 32-bit. An input number is the 0-based position of an input in the driver's
 * list (0 to 65535), passed as a 32-bit value. Reals are 64-bit IEEE doubles.
 *
 * Lists: the program asks for names with the index 0, 1, 2, ... and stops at the first name
 * of 0 or 1 character, which is not part of the list (analog output names: at the first
 * empty name). End every list that way (return ""). The program also stops after 1024 names.
 *
 * Each entry point has two names: the "std..." name used when the user chooses the driver in
 * a dialog, and a short name used when a settings file reloads it. Export both to be usable
 * both ways; they may be the same function.
 */
#ifndef QTL_PILOTE_H
#define QTL_PILOTE_H

#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define QTL_PILOTE_CALL __stdcall
#else
#define QTL_PILOTE_CALL
#endif

#if defined(_WIN32)
#define QTL_PILOTE_EXPORT __declspec(dllexport)
#else
#define QTL_PILOTE_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
#define QTL_PILOTE_EXTERN_C extern "C"
#else
#define QTL_PILOTE_EXTERN_C
#endif

/* Put QTL_PILOTE_API in front of each exported definition of a driver. */
#define QTL_PILOTE_API QTL_PILOTE_EXTERN_C QTL_PILOTE_EXPORT

/* ---- Input drivers (measurement) ---------------------------------------------------------
 *
 *  dialog name      settings name   signature                         role
 *  "stddetail"      "detail"        const char* f(void)               description of the driver;
 *                                                                      without it the program
 *                                                                      treats the library as no
 *                                                                      driver at all
 *  "stdnea"         "NEA"           int32_t f(void)                   looked up, never called
 *                                                                      (by custom: input count)
 *  "stdea"          "EA"            int32_t f(int32_t input)           raw converter reading
 *  "stdnead"        "NEAD"          const char* f(int32_t index)       name of input `index`;
 *                                                                      REQUIRED
 *  "stdead"         "EAD"           double f(int32_t input)            converted reading (volts,
 *                                                                      degrees...); REQUIRED
 *  "stdcalibration" "calibration"   const char* f(const char* text)    the driver's own settings:
 *                                                                      receives the text it
 *                                                                      returned last time ("" at
 *                                                                      first), may show a dialog,
 *                                                                      returns the new text
 *
 * A channel works when "stdnead" and "stdead" (or "NEAD" and "EAD") are both exported and
 * "stddetail" ("detail") is there too. A channel without a driver reads 777.
 */
typedef const char*(QTL_PILOTE_CALL* qtl_pilote_text_fn)(void);
typedef int32_t(QTL_PILOTE_CALL* qtl_pilote_count_fn)(void);
typedef int32_t(QTL_PILOTE_CALL* qtl_pilote_raw_read_fn)(int32_t input);
typedef const char*(QTL_PILOTE_CALL* qtl_pilote_name_fn)(int32_t index);
typedef double(QTL_PILOTE_CALL* qtl_pilote_real_read_fn)(int32_t input);
typedef const char*(QTL_PILOTE_CALL* qtl_pilote_calibration_fn)(const char* text);

/* ---- Logic output drivers ----------------------------------------------------------------
 *
 *  dialog name      settings name   signature                              role
 *  "stddetail"      "detail"        const char* f(void)                    description
 *  "stdnsb"         "NSB"           const char* f(int32_t output)          name of logic output;
 *                                                                           a list, ended by ""
 *  "stdsb"          "SB"            int32_t f(int32_t output, int32_t on)  set output on (1) or
 *                                                                           off (0); result ignored
 *  -                "RSB"           int32_t f(int32_t output)              state of the output
 *                                                                           (looked up, not called)
 * A settings file drives logic outputs only when "SB" and "NSB" are exported.
 */
typedef int32_t(QTL_PILOTE_CALL* qtl_pilote_set_logic_fn)(int32_t output, int32_t on);
typedef int32_t(QTL_PILOTE_CALL* qtl_pilote_read_logic_fn)(int32_t output);

/* ---- Analog output drivers ---------------------------------------------------------------
 *
 *  dialog name      settings name   signature                              role
 *  "stddetail"      "detail"        const char* f(void)                    description
 *  "stdtitre"       -               const char* f(void)                    short title
 *  "stdnsad"        "NSA"           const char* f(int32_t output)          name of analog output;
 *                                                                           a list, ended by ""
 *  -                "NSAD"          const char* f(int32_t output)          name (converted units);
 *                                                                           looked up, not called
 *  -                "SA"            int32_t f(int32_t output, int32_t raw) set output to a raw
 *                                                                           converter value
 *  "stdsad"         "SAD"           double f(int32_t output, double value) set output to a value
 *                                                                           in converted units;
 *                                                                           result ignored
 *  -                "RSA"           int32_t f(int32_t output)              raw value last set
 *                                                                           (looked up, not called)
 *  -                "RSAD"          double f(int32_t output)               value last set
 *                                                                           (looked up, not called)
 *  "stdcalibration" -               const char* f(const char* text)        driver settings dialog;
 *                                                                           called with "", result
 *                                                                           ignored
 * The variable analog output (which follows a formula during an acquisition) always uses
 * output 0, and is offered only when the name of output 0 has 3 characters or more. A
 * settings file drives fixed analog outputs only when "SA" and "NSA" are exported.
 * A value that is not a number is never sent ("stdsad", "SAD" or "SA"); infinities and
 * values outside the output's range may be, and are the driver's to bring within range.
 */
typedef int32_t(QTL_PILOTE_CALL* qtl_pilote_set_raw_fn)(int32_t output, int32_t raw);
typedef double(QTL_PILOTE_CALL* qtl_pilote_set_real_fn)(int32_t output, double value);
typedef int32_t(QTL_PILOTE_CALL* qtl_pilote_read_raw_fn)(int32_t output);
typedef double(QTL_PILOTE_CALL* qtl_pilote_read_real_fn)(int32_t output);

/* Value that the program reads on a channel that has no driver. */
#define QTL_NO_DRIVER_VALUE 777

#endif /* QTL_PILOTE_H */
