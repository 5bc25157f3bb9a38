/* An output driver for the output dialogs' tests, exporting the dialog names ("std...") and
 * logging every call it receives so a test can read back what the program sent.
 * Variants: by default three analog outputs and two logic outputs; TD_FEW names one of each,
 * with 2-character names and no title, description or settings; TD_ENDLESS never ends its
 * lists. */
#include <stdio.h>
#include <string.h>

#include "qtl_pilote.h"

enum { kLogSize = 4096 };
static int32_t log_size = 0;
static int32_t log_kind[kLogSize];
static int32_t log_output[kLogSize];
static double log_value[kLogSize];

static void record(char kind, int32_t output, double value) {
    if (log_size >= kLogSize) return;
    log_kind[log_size] = kind;
    log_output[log_size] = output;
    log_value[log_size] = value;
    ++log_size;
}

#if defined(TD_ENDLESS)
static const char* endless_name(const char* prefix, int32_t i) {
    static char buffer[64];
    snprintf(buffer, sizeof buffer, "%s %d", prefix, (int)i);
    return buffer;
}
#endif

#if !defined(TD_FEW)
QTL_PILOTE_API const char* QTL_PILOTE_CALL stddetail(void) {
    return "sorties d'essai (d\xE9tail)";
}
QTL_PILOTE_API const char* QTL_PILOTE_CALL stdtitre(void) {
    return "Sorties d'essai";
}
QTL_PILOTE_API const char* QTL_PILOTE_CALL stdcalibration(const char* text) {
    record('c', -1, text ? (double)strlen(text) : -1.0);
    return "";
}
#endif

QTL_PILOTE_API const char* QTL_PILOTE_CALL stdnsb(int32_t output) {
#if defined(TD_ENDLESS)
    return endless_name("logique", output);
#elif defined(TD_FEW)
    return output == 0 ? "L0" : "";
#else
    static const char* const names[] = {"lampe", "moteur", "x", ""};
    return output >= 0 && output < 4 ? names[output] : "";
#endif
}

QTL_PILOTE_API int32_t QTL_PILOTE_CALL stdsb(int32_t output, int32_t on) {
    record('b', output, on);
    return 1;
}

QTL_PILOTE_API const char* QTL_PILOTE_CALL stdnsad(int32_t output) {
#if defined(TD_ENDLESS)
    return endless_name("analogique", output);
#elif defined(TD_FEW)
    return output == 0 ? "V0" : "";
#else
    static const char* const names[] = {"tension 0", "tension 1", "chauffage", ""};
    return output >= 0 && output < 4 ? names[output] : "";
#endif
}

QTL_PILOTE_API double QTL_PILOTE_CALL stdsad(int32_t output, double value) {
    record('a', output, value);
    return value;
}

/* Read-back for the tests. */
QTL_PILOTE_API int32_t QTL_PILOTE_CALL test_log_size(void) {
    return log_size;
}
QTL_PILOTE_API int32_t QTL_PILOTE_CALL test_log_kind(int32_t i) {
    return i >= 0 && i < log_size ? log_kind[i] : 0;
}
QTL_PILOTE_API int32_t QTL_PILOTE_CALL test_log_output(int32_t i) {
    return i >= 0 && i < log_size ? log_output[i] : 0;
}
QTL_PILOTE_API double QTL_PILOTE_CALL test_log_value(int32_t i) {
    return i >= 0 && i < log_size ? log_value[i] : 0.0;
}
QTL_PILOTE_API void QTL_PILOTE_CALL test_log_reset(void) {
    log_size = 0;
}
